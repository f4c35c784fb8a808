// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// Text of an OOXML string (shared strings, inline strings, text results of
// formulas) as Excel shows it: "_xHHHH_" stands for the UTF-16 unit HHHH
// (hex digits of either case; a surrogate pair makes one character, a lone
// surrogate U+FFFD), so "_x005F_" is an underscore and "_x005F_x0000_" reads
// "_x0000_". Anything else, also "_x12_" or "_xZZZZ_", stays as it is.
std::string decodeOoxmlEscapes(std::string_view text);

// The text to store so that Excel (and decodeOoxmlEscapes) shows it as it
// is: the underscore starting anything that reads as an escape becomes
// "_x005F_". Writers escape control characters themselves, not these.
std::string escapeOoxmlText(std::string_view text);

} // namespace quorbel
