#include "cli/recordreader.h"

#include "cli/clitexts.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace quorbel {
namespace {

std::string readAll(std::FILE* in, const std::string& path) {
    std::string content;
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

std::vector<std::string> readRecords(const std::string& path, bool nulSeparated) {
    const std::string content = readSource(path);
    const char end = nulSeparated ? '\0' : '\n';
    std::vector<std::string> records;
    // Editors on some systems start a UTF-8 text with a byte-order mark; it is
    // not part of the first name.
    size_t begin = std::string_view(content).starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (begin < content.size()) {
        size_t stop = content.find(end, begin);
        if (stop == std::string::npos)
            stop = content.size();
        size_t length = stop - begin;
        if (!nulSeparated && length > 0 && content[begin + length - 1] == '\r')
            --length;
        records.emplace_back(content, begin, length);
        begin = stop + 1;
    }
    // An empty line at the very end is the habit of a text editor, not a name.
    if (!records.empty() && records.back().empty())
        records.pop_back();
    return records;
}

} // namespace quorbel
