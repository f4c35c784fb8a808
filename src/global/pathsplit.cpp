// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/pathsplit.h"

namespace quorbel {
namespace {

bool isGbkLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

struct Marks {
    std::string_view::size_type lastSeparator = std::string_view::npos;
    std::string_view::size_type lastDot = std::string_view::npos;
};

bool isSeparator(char byte, std::string_view separators) {
    for (const char separator : separators)
        if (byte == separator)
            return true;
    return false;
}

// Without double-byte characters the marks are found from the end, over the
// file's own name only: a list of a million long paths then costs no pass
// over every directory's bytes.
Marks findMarksFromTheEnd(std::string_view path, std::string_view separators) {
    Marks marks;
    for (auto i = path.size(); i-- > 0;) {
        if (isSeparator(path[i], separators)) {
            marks.lastSeparator = i;
            break;
        }
        if (path[i] == '.' && marks.lastDot == std::string_view::npos)
            marks.lastDot = i;
    }
    return marks;
}

// One forward pass, so a trail byte is skipped together with its lead byte.
Marks findMarks(std::string_view path, const PathRule& rule) {
    if (!rule.doubleByte)
        return findMarksFromTheEnd(path, rule.separators);
    Marks marks;
    for (std::string_view::size_type i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (rule.doubleByte && isGbkLeadByte(byte) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (rule.separators.find(path[i]) != std::string_view::npos) {
            marks.lastSeparator = i;
            marks.lastDot = std::string_view::npos;
        } else if (path[i] == '.') {
            marks.lastDot = i;
        }
    }
    return marks;
}

} // namespace

PathPartViews splitPathViews(std::string_view path, const PathRule& rule) {
    const Marks marks = findMarks(path, rule);
    const auto nameStart =
        marks.lastSeparator == std::string_view::npos ? 0 : marks.lastSeparator + 1;
    const auto extStart = marks.lastDot == std::string_view::npos ? path.size() : marks.lastDot;
    return {path.substr(0, nameStart), path.substr(nameStart, extStart - nameStart),
            path.substr(extStart)};
}

PathParts splitPath(std::string_view path, const PathRule& rule) {
    const PathPartViews views = splitPathViews(path, rule);
    return {std::string(views.directory), std::string(views.name), std::string(views.extension)};
}

std::string extensionOf(std::string_view path, const PathRule& rule) {
    const Marks marks = findMarks(path, rule);
    return marks.lastDot == std::string_view::npos ? std::string()
                                                   : std::string(path.substr(marks.lastDot));
}

std::string trimmed(std::string_view text) {
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::string_view::size_type begin = 0;
    std::string_view::size_type end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

} // namespace quorbel
