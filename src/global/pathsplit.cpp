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

// One forward pass, so a trail byte is skipped together with its lead byte.
Marks findMarks(std::string_view path, const PathRule& rule) {
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

PathParts splitPath(std::string_view path, const PathRule& rule) {
    const Marks marks = findMarks(path, rule);
    const auto nameStart =
        marks.lastSeparator == std::string_view::npos ? 0 : marks.lastSeparator + 1;
    const auto extStart = marks.lastDot == std::string_view::npos ? path.size() : marks.lastDot;
    PathParts parts;
    parts.directory = std::string(path.substr(0, nameStart));
    parts.name = std::string(path.substr(nameStart, extStart - nameStart));
    parts.extension = std::string(path.substr(extStart));
    return parts;
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
