// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/coretext.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

class RenameList;

struct NumberingRule {
    std::string_view prefix;    // already trimmed
    std::string_view startText; // already trimmed; its length is the start width
    std::int32_t increment = 1;
    std::int32_t firstRow = 1;
    std::int32_t lastRow = 1;
    std::int32_t lastFileRow = 0; // row count - 1
};

struct NumberedName {
    int row = 0;
    std::string name;
    bool operator==(const NumberedName&) const = default;
};

// The decimal text of value, "-" included, with "0" in front up to width bytes.
std::string paddedNumber(std::int32_t value, std::size_t width);

// The names for the rows firstRow to lastRow, in row order: prefix + the padded
// counter, which starts at the start text's value and grows by the increment
// per row of the range, wrapping around at the 32-bit limits. Rows outside 1 to
// lastFileRow still advance the counter but are left out. Returns nothing when
// the start text is not an integer.
std::optional<std::vector<NumberedName>> generateNames(const NumberingRule& rule);

// What the user asks of the numbering, as typed: the dialog's fields or the
// command line's options, before the rules that read them.
struct NumberingRequest {
    std::string_view prefix;    // trimmed here
    std::string_view startText; // trimmed here; then its length is the start width
    std::int32_t increment = 1;
    std::int32_t firstRow = 1;
    std::int32_t lastRow = 1;
};

// Shown when the start number is not an integer.
inline constexpr CoreText startNotIntegerMessage{"起始编号只允许数字",
                                                "The start number may hold digits only"};

struct RowRange {
    std::int32_t first = 1;
    std::int32_t last = 1;
};

// A range typed backwards is meant the other way round.
RowRange orderedRange(std::int32_t first, std::int32_t last);

// The names the numbering writes into a list whose last file row is
// lastFileRow: trims prefix and start text, puts the range in order and
// generates. Returns nothing when the start number is not an integer.
std::optional<std::vector<NumberedName>> numberRows(const NumberingRequest& request,
                                                    std::int32_t lastFileRow);

// Writes the names into the new-name column as one batch.
void writeNewNames(RenameList& list, std::vector<NumberedName> names);

} // namespace quorbel
