#include "global/filemask.h"

namespace quorbel {
namespace {

char foldCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Length of the UTF-8 character starting at text[pos], so "?" takes a whole
// character and never splits one.
size_t characterLength(std::string_view text, size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    size_t length = 1;
    if (lead >= 0xF0)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    size_t end = pos + 1;
    while (end < text.size() && end < pos + length &&
           (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        ++end;
    return end - pos;
}

// Iterative matcher with one back-track point for the last "*": linear in
// practice and never recursive, whatever a typed pattern holds.
bool wildcardMatch(std::string_view name, std::string_view pattern) {
    size_t n = 0, p = 0;
    size_t starPattern = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            n += characterLength(name, n);
            ++p;
        } else if (p < pattern.size() && foldCase(pattern[p]) == foldCase(name[n])) {
            ++n;
            ++p;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            starName += characterLength(name, starName);
            n = starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace

std::vector<std::string> splitMask(std::string_view mask) {
    std::vector<std::string> patterns;
    size_t start = 0;
    while (true) {
        const size_t end = mask.find(';', start);
        patterns.emplace_back(mask.substr(start, end - start));
        if (end == std::string_view::npos)
            return patterns;
        start = end + 1;
    }
}

bool matchesPattern(std::string_view name, std::string_view pattern) {
    if (name.empty() || pattern.empty())
        return false;
    if (wildcardMatch(name, pattern))
        return true;
    if (pattern.size() >= 2 && pattern.ends_with(".*") && name.find('.') == std::string_view::npos)
        return wildcardMatch(name, pattern.substr(0, pattern.size() - 2));
    return false;
}

} // namespace quorbel
