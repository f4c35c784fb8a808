#pragma once

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

// Writes the names into the new-name column as one batch.
void writeNewNames(RenameList& list, std::vector<NumberedName> names);

} // namespace quorbel
