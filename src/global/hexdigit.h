// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorbel {

// The value of one hexadecimal digit in either case, or -1.
constexpr int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace quorbel
