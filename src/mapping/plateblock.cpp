// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/plateblock.h"

#include <algorithm>

namespace quorbel {

std::string sheetCellName(std::uint32_t row, std::uint32_t column) {
    std::string letters;
    for (std::uint64_t rest = std::uint64_t{column} + 1; rest > 0; rest = (rest - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (rest - 1) % 26));
    return letters + std::to_string(std::uint64_t{row} + 1);
}

PlateBlock::PlateBlock(int rows, int columns, std::uint32_t cornerRow, std::uint32_t cornerColumn,
                       std::vector<SheetCell> wells)
    : rows_(rows), columns_(columns), cornerRow_(cornerRow), cornerColumn_(cornerColumn),
      wells_(std::move(wells)) {
    wells_.resize(static_cast<size_t>(std::max(rows_, 0) * std::max(columns_, 0)));
}

const SheetCell& PlateBlock::well(int row, int column) const {
    static const SheetCell empty;
    if (row < 0 || row >= rows_ || column < 1 || column > columns_)
        return empty;
    return wells_[static_cast<size_t>(row * columns_ + column - 1)];
}

} // namespace quorbel
