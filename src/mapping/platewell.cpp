// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/platewell.h"

namespace quorbel {
namespace {

// Longer numbers are off every plate; counting them would only risk overflow.
constexpr size_t maxColumnDigits = 6;

bool isSeparator(char c) {
    return c == '_' || c == '-' || c == '.' || c == ' ';
}

// A token shaped like a well, on whatever plate; column 0 and huge numbers
// included, so that they still count as a second well.
std::optional<Well> wellShaped(std::string_view token) {
    if (token.size() < 2)
        return std::nullopt;
    const char first = token[0];
    Well well;
    if (first >= 'A' && first <= 'Z')
        well.row = first - 'A';
    else if (first >= 'a' && first <= 'z')
        well.row = first - 'a';
    else
        return std::nullopt;
    for (char c : token.substr(1)) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    const std::string_view digits = token.substr(1);
    const size_t leadingZeros = digits.find_first_not_of('0');
    const std::string_view significant =
        leadingZeros == std::string_view::npos ? std::string_view() : digits.substr(leadingZeros);
    if (significant.size() > maxColumnDigits) {
        well.column = -1;
        return well;
    }
    for (char c : significant)
        well.column = well.column * 10 + (c - '0');
    return well;
}

} // namespace

std::optional<Well> wellInName(std::string_view name, int plateRows, int plateColumns) {
    std::optional<Well> found;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = start;
        while (end < name.size() && !isSeparator(name[end]))
            ++end;
        if (const auto well = wellShaped(name.substr(start, end - start))) {
            if (found)
                return std::nullopt;
            found = well;
        }
        start = end + 1;
    }
    if (!found || found->row >= plateRows || found->column < 1 || found->column > plateColumns)
        return std::nullopt;
    return found;
}

} // namespace quorbel
