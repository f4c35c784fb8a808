// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/integerreading.h"

#include "global/hexdigit.h"

#include <cstddef>

namespace quorbel {
namespace {

std::optional<std::int32_t> readDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    // One past the largest magnitude, so any number of leading zeros is fine.
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::optional<std::int32_t> readHex(std::string_view digits) {
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    // The bit pattern, not the magnitude: $FFFFFFFF is -1.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::size_t hexPrefixLength(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X"))
        return 2;
    if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X'))
        return 1;
    return 0;
}

} // namespace

std::optional<std::int32_t> readInteger(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    const std::size_t prefix = hexPrefixLength(text);
    if (prefix > 0)
        return readHex(text.substr(prefix));
    return readDecimal(text);
}

} // namespace quorbel
