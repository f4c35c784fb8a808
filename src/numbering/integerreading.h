// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorbel {

// Reads a 32-bit integer the way every number the user types into the numbering
// dialog is read. Leading blanks are skipped; then either an optional sign and
// decimal digits within the signed 32-bit range, or one of "$", "x", "X", "0x",
// "0X" and hexadecimal digits up to FFFFFFFF taken as a signed 32-bit pattern.
// Anything else, the empty text included, is not an integer.
std::optional<std::int32_t> readInteger(std::string_view text);

} // namespace quorbel
