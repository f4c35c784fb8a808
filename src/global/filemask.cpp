// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/filemask.h"

#include "global/casefold.h"

namespace quorbel {
namespace {

using Units = std::u32string_view;

// Iterative matcher with one back-track point for the last "*": linear in
// practice and never recursive, whatever a typed pattern holds. Both sides are
// whole characters, so "?" never splits one.
bool wildcardMatch(Units name, Units pattern) {
    size_t n = 0, p = 0;
    size_t starPattern = Units::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == U'*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (starPattern != Units::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*')
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

WildcardPattern::WildcardPattern(std::string_view pattern)
    : pattern_(foldedCharacters(pattern)), starDotStar_(pattern.ends_with(".*")) {}

bool WildcardPattern::matchesFolded(const std::u32string& foldedName) const {
    if (foldedName.empty() || pattern_.empty())
        return false;
    if (wildcardMatch(foldedName, pattern_))
        return true;
    if (starDotStar_ && foldedName.find(U'.') == std::u32string::npos)
        return wildcardMatch(foldedName, Units(pattern_).substr(0, pattern_.size() - 2));
    return false;
}

bool matchesPattern(std::string_view name, std::string_view pattern) {
    return WildcardPattern(pattern).matchesFolded(foldedCharacters(name));
}

} // namespace quorbel
