// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mapping/workbookreader.h"

#include <cstdint>
#include <vector>

namespace quorbel {

// Gathers the cells a reader finds, in any order, and turns them into a
// MappingTable over the sheet's used range: the first row holding a cell gives
// the column names, the columns run from the leftmost to the rightmost cell.
// Only real cells are kept, so memory follows the file's content, never the
// extent it claims.
class SheetBuilder {
public:
    // The largest sheet of any format read here; cells beyond it are dropped.
    static constexpr std::uint32_t MaxRows = 1048576;
    static constexpr std::uint32_t MaxColumns = 16384;

    void add(std::uint32_t row, std::uint32_t column, SheetCell cell);
    size_t cellCount() const { return cells_.size(); }
    MappingTable build();

private:
    struct Entry {
        std::uint32_t row;
        std::uint32_t column;
        SheetCell cell;
    };
    std::vector<Entry> cells_;
};

} // namespace quorbel
