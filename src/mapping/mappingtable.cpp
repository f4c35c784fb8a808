// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/celltext.h"
#include "mapping/workbookreader.h"

#include <algorithm>

namespace quorbel {
namespace {

const SheetCell emptyCell;

std::vector<PlacedCell> placeRow(std::vector<SheetCell> row, size_t columnCount) {
    std::vector<PlacedCell> placed;
    const size_t count = std::min(row.size(), columnCount);
    for (size_t column = 0; column < count; ++column) {
        if (!isBlank(row[column]))
            placed.push_back({static_cast<int>(column), std::move(row[column])});
    }
    return placed;
}

std::vector<PlacedCell> keepInside(std::vector<PlacedCell> row, size_t columnCount) {
    std::erase_if(row, [&](const PlacedCell& placed) {
        return placed.column < 0 || static_cast<size_t>(placed.column) >= columnCount ||
               isBlank(placed.cell);
    });
    std::stable_sort(row.begin(), row.end(),
                     [](const PlacedCell& a, const PlacedCell& b) { return a.column < b.column; });
    return row;
}

// Column kinds seen so far; a column keeps a kind only while every cell agrees.
ColumnKind kindOf(const SheetCell& cell) {
    switch (cell.type) {
    case SheetCell::Type::Number:
        return ColumnKind::Number;
    case SheetCell::Type::Date:
        return ColumnKind::Date;
    default:
        return ColumnKind::Text;
    }
}

} // namespace

MappingTable::MappingTable(std::vector<std::string> columnNames,
                           std::vector<std::vector<SheetCell>> rows)
    : columnNames_(std::move(columnNames)) {
    rows_.reserve(rows.size());
    for (auto& row : rows)
        rows_.push_back(placeRow(std::move(row), columnNames_.size()));
    computeKinds();
}

MappingTable::MappingTable(std::vector<std::string> columnNames,
                           std::vector<std::vector<PlacedCell>> rows)
    : columnNames_(std::move(columnNames)), rows_(std::move(rows)) {
    for (auto& row : rows_)
        row = keepInside(std::move(row), columnNames_.size());
    computeKinds();
}

// A column is a number or date column only when every non-empty cell is one;
// a column without any data cell counts as text.
void MappingTable::computeKinds() {
    std::vector<bool> seen(columnNames_.size(), false);
    kinds_.assign(columnNames_.size(), ColumnKind::Text);
    for (const auto& row : rows_) {
        for (const PlacedCell& placed : row) {
            const auto column = static_cast<size_t>(placed.column);
            const ColumnKind kind = kindOf(placed.cell);
            if (!seen[column]) {
                seen[column] = true;
                kinds_[column] = kind;
            } else if (kinds_[column] != kind) {
                kinds_[column] = ColumnKind::Text;
            }
        }
    }
}

int MappingTable::columnIndex(const std::string& name) const {
    const auto found = std::find(columnNames_.begin(), columnNames_.end(), name);
    return found == columnNames_.end() ? -1 : static_cast<int>(found - columnNames_.begin());
}

const SheetCell& MappingTable::cell(size_t row, int column) const {
    if (row >= rows_.size())
        return emptyCell;
    const auto& cells = rows_[row];
    const auto found = std::lower_bound(
        cells.begin(), cells.end(), column,
        [](const PlacedCell& placed, int wanted) { return placed.column < wanted; });
    return found != cells.end() && found->column == column ? found->cell : emptyCell;
}

const std::vector<PlacedCell>& MappingTable::rowCells(size_t row) const {
    static const std::vector<PlacedCell> none;
    return row < rows_.size() ? rows_[row] : none;
}

ColumnKind MappingTable::kind(int column) const {
    if (column < 0 || static_cast<size_t>(column) >= kinds_.size())
        return ColumnKind::Text;
    return kinds_[static_cast<size_t>(column)];
}

} // namespace quorbel
