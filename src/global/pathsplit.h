// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// Which bytes end a directory, and whether the text is in a double-byte code
// page whose trail bytes may take the value of a separator or a dot.
struct PathRule {
    std::string_view separators;
    bool doubleByte = false;
};

// Paths on this platform: "/" alone, UTF-8 (no trail byte is ever ASCII).
inline constexpr PathRule posixPathRule{"/", false};
// Paths as a GBK Windows system writes them: "\" and ":" end a directory, and
// the second byte of a double-byte character never counts as a mark.
inline constexpr PathRule windowsGbkPathRule{"\\:", true};

struct PathParts {
    std::string directory; // with its trailing separator, or empty
    std::string name;      // file name without extension
    std::string extension; // from the last dot, dot included, or empty
};

// The same parts as views into the path, for callers that keep them elsewhere.
struct PathPartViews {
    std::string_view directory;
    std::string_view name;
    std::string_view extension;
};

PathParts splitPath(std::string_view path, const PathRule& rule);
PathPartViews splitPathViews(std::string_view path, const PathRule& rule);
std::string extensionOf(std::string_view path, const PathRule& rule);

// Removes every byte of value 32 or less from both ends.
std::string trimmed(std::string_view text);

} // namespace quorbel
