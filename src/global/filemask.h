// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// The patterns of a file list's mask, in order: "*.jpg;*.png" gives two. Empty
// patterns are kept; they match no file name.
std::vector<std::string> splitMask(std::string_view mask);

// One pattern of a mask, folded once so that a directory of many files is
// matched without folding the pattern for every name. Names are given folded
// by foldedCharacters (global/casefold.h).
class WildcardPattern {
public:
    explicit WildcardPattern(std::string_view pattern);
    bool matchesFolded(const std::u32string& foldedName) const;

private:
    std::u32string pattern_;
    bool starDotStar_ = false;
};

// Wildcard match of one file name against one pattern: "*" any run of
// characters, "?" exactly one character, letters of any script compared
// without regard to case. As on the file systems these patterns come from, a
// trailing ".*" also matches a name without extension, so "*.*" means every
// file.
bool matchesPattern(std::string_view name, std::string_view pattern);

} // namespace quorbel
