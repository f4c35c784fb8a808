// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/sheetbuilder.h"

#include "mapping/celltext.h"

#include <algorithm>

namespace quorbel {
namespace {

// Columns without a heading get the names the old data layer gave them.
std::string headingOrDefault(const SheetCell* cell, size_t position) {
    std::string text = cell ? cellText(*cell, LocaleFormat{}) : std::string();
    return text.empty() ? "F" + std::to_string(position + 1) : text;
}

} // namespace

void SheetBuilder::add(std::uint32_t row, std::uint32_t column, SheetCell cell) {
    if (row < MaxRows && column < MaxColumns && !isBlank(cell))
        cells_.push_back({row, column, std::move(cell)});
}

MappingTable SheetBuilder::build() {
    if (cells_.empty())
        return {};
    // A later cell at the same place replaces an earlier one, as in the file.
    std::stable_sort(cells_.begin(), cells_.end(), [](const Entry& a, const Entry& b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    const auto [minColumn, maxColumn] =
        std::minmax_element(cells_.begin(), cells_.end(),
                            [](const Entry& a, const Entry& b) { return a.column < b.column; });
    const std::uint32_t firstColumn = minColumn->column;
    const size_t columnCount = maxColumn->column - firstColumn + 1;
    const std::uint32_t headerRow = cells_.front().row;

    std::vector<const SheetCell*> headings(columnCount, nullptr);
    std::vector<std::vector<PlacedCell>> rows(cells_.back().row - headerRow);
    for (size_t i = 0; i < cells_.size(); ++i) {
        const Entry& entry = cells_[i];
        if (i + 1 < cells_.size() && cells_[i + 1].row == entry.row &&
            cells_[i + 1].column == entry.column)
            continue;
        const int column = static_cast<int>(entry.column - firstColumn);
        if (entry.row == headerRow)
            headings[static_cast<size_t>(column)] = &entry.cell;
        else
            rows[entry.row - headerRow - 1].push_back({column, std::move(cells_[i].cell)});
    }
    std::vector<std::string> names;
    names.reserve(columnCount);
    for (size_t column = 0; column < columnCount; ++column)
        names.push_back(headingOrDefault(headings[column], column));
    cells_.clear();
    MappingTable table(std::move(names), std::move(rows));
    table.placeOnSheet(headerRow, firstColumn);
    return table;
}

} // namespace quorbel
