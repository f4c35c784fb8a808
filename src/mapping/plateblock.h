// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mapping/workbookreader.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quorbel {

// "B3" for the zero-based sheet row 2 and column 1, as spreadsheet programs
// name a cell.
std::string sheetCellName(std::uint32_t row, std::uint32_t column);

// One plate as laid out on a sheet: row letters A, B, ... down the left,
// column numbers 1, 2, ... across the top, a cell under each pair.
class PlateBlock {
public:
    // wells: rows × columns cells, row A first, each row from column 1.
    PlateBlock(int rows, int columns, std::uint32_t cornerRow, std::uint32_t cornerColumn,
               std::vector<SheetCell> wells);

    int rows() const { return rows_; }
    int columns() const { return columns_; }
    // row: 0 for A; column: 1 for the first column. An empty cell off the plate.
    const SheetCell& well(int row, int column) const;
    // The corner cell, left of column 1 and above row A, by its sheet name.
    std::string cornerName() const { return sheetCellName(cornerRow_, cornerColumn_); }
    std::uint32_t cornerRow() const { return cornerRow_; }
    std::uint32_t cornerColumn() const { return cornerColumn_; }

private:
    int rows_;
    int columns_;
    std::uint32_t cornerRow_;
    std::uint32_t cornerColumn_;
    std::vector<SheetCell> wells_;
};

} // namespace quorbel
