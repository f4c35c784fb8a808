// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/recordreader.h"

#include "cli/clitexts.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <sys/stat.h>

namespace quorbel {
namespace {

std::string readAll(std::FILE* in, const std::string& path) {
    std::string content;
    // A file's size is known: one block of it, not doublings up to it.
    struct stat info {};
    if (::fstat(::fileno(in), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        content.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        content.append(buffer, got);
    if (std::ferror(in))
        throw UsageError(clitext::cannotRead.fill({path, std::strerror(errno)}));
    return content;
}

std::string readSource(const std::string& path) {
    if (path == "-")
        return readAll(stdin, "standard input");
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in)
        throw UsageError(clitext::cannotOpen.fill({path, std::strerror(errno)}));
    try {
        std::string content = readAll(in, path);
        std::fclose(in);
        return content;
    } catch (...) {
        std::fclose(in);
        throw;
    }
}

} // namespace

RecordBlock readRecordBlock(const std::string& path, bool nulSeparated) {
    RecordBlock block;
    block.text = readSource(path);
    const std::string_view content = block.text;
    const char end = nulSeparated ? '\0' : '\n';
    // Editors on some systems start a UTF-8 text with a byte-order mark; it is
    // not part of the first name.
    size_t begin = content.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (begin < content.size()) {
        size_t stop = content.find(end, begin);
        if (stop == std::string::npos)
            stop = content.size();
        size_t length = stop - begin;
        if (!nulSeparated && length > 0 && content[begin + length - 1] == '\r')
            --length;
        block.records.push_back(content.substr(begin, length));
        begin = stop + 1;
    }
    // An empty line at the very end is the habit of a text editor, not a name.
    if (!block.records.empty() && block.records.back().empty())
        block.records.pop_back();
    return block;
}

std::vector<std::string> readRecords(const std::string& path, bool nulSeparated) {
    const RecordBlock block = readRecordBlock(path, nulSeparated);
    return {block.records.begin(), block.records.end()};
}

} // namespace quorbel
