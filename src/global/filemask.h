#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// The patterns of a file list's mask, in order: "*.jpg;*.png" gives two. Empty
// patterns are kept; they match no file name.
std::vector<std::string> splitMask(std::string_view mask);

// Wildcard match of one file name against one pattern: "*" any run of
// characters, "?" exactly one character, letters compared without regard to
// case. As on the file systems these patterns come from, a trailing ".*" also
// matches a name without extension, so "*.*" means every file.
bool matchesPattern(std::string_view name, std::string_view pattern);

} // namespace quorbel
