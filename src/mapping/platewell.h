// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace quorbel {

// A well of a plate: row 0 is A, columns count from 1.
struct Well {
    int row = 0;
    int column = 0;
    bool operator==(const Well&) const = default;
};

// The well a file name (without extension) names on a plate of the given
// size. A well is a row letter, either case, followed by the column number
// with or without leading zeros: A1, A01, a001. The name is a well, or holds
// exactly one as a token set off by the name's start or end, "_", "-", "." or
// a blank: run5_C12_16. No well, two wells or a well off the plate: none.
std::optional<Well> wellInName(std::string_view name, int plateRows, int plateColumns);

} // namespace quorbel
