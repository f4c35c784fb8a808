// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// The characters of a UTF-8 text with letter case removed, one code unit per
// character, for comparisons "without regard to case" as the file system's
// wildcard rules make them. Letters of every script fold (Ω with ω, Ä with ä),
// through the C library's wide-character mapping under a UTF-8 locale of our
// own, so the result never depends on the locale the process runs in. A byte
// that does not start a valid UTF-8 character stays a unit of its own that no
// character equals, so names that are not UTF-8 still compare byte for byte.
std::u32string foldedCharacters(std::string_view text);

} // namespace quorbel
