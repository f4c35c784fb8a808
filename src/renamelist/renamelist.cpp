// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/renamelist.h"

#include "global/coretext.h"
#include "renamelist/cellcompare.h"

#include <algorithm>
#include <utility>

namespace quorbel {
namespace {

const std::string emptyText;

// The header row, which the grid shows and the export writes first.
constexpr CoreText headers[] = {{"序号", "No."},       {"原名称", "Old name"},
                                {"新名称", "New name"}, {"后缀", "Ext."},
                                {"目录", "Folder"},     {"处理结果", "Result"}};

} // namespace

RenameList::RenameList() {
    reserveRows(2);
    putText(0, 0, std::string());
    for (int column = 1; column < ColCount; ++column)
        putText(column, 0, headers[column - 1].text());
}

const std::string& RenameList::getCell(int column, int row) const {
    if (column < 0 || column >= ColCount || row < 0 || static_cast<size_t>(row) >= rowsHeld_)
        return emptyText;
    const auto c = static_cast<size_t>(column);
    if (isPooled(column))
        return pools_[c].text(ids_[c][static_cast<size_t>(row)]);
    return texts_[c][static_cast<size_t>(row)];
}

// Grows every column together, to exactly the rows asked for: a list of a
// million rows must not hold a doubled vector per column.
void RenameList::reserveRows(int count) {
    const auto rows = static_cast<size_t>(count);
    if (rows <= rowsHeld_)
        return;
    for (int column = 0; column < ColCount; ++column) {
        const auto c = static_cast<size_t>(column);
        if (isPooled(column))
            ids_[c].resize(rows, TextPool::empty);
        else
            texts_[c].resize(rows);
    }
    rowsHeld_ = rows;
}

void RenameList::putText(int column, size_t row, std::string&& text) {
    const auto c = static_cast<size_t>(column);
    if (isPooled(column))
        ids_[c][row] = pools_[c].intern(text);
    else
        texts_[c][row] = std::move(text);
}

void RenameList::setCell(int column, int row, std::string text) {
    if (column < 0 || column >= ColCount || row < 0)
        return;
    reserveRows(row + 1);
    putText(column, static_cast<size_t>(row), std::move(text));
    notifyCells(row, row);
}

void RenameList::notifyCells(int firstRow, int lastRow) {
    if (!observer_)
        return;
    if (updateDepth_ > 0) {
        pendingChange_ = true;
        return;
    }
    observer_->cellsChanged(firstRow, lastRow);
}

void RenameList::beginUpdate() {
    ++updateDepth_;
}

void RenameList::endUpdate() {
    if (updateDepth_ == 0 || --updateDepth_ > 0 || !pendingChange_)
        return;
    pendingChange_ = false;
    if (observer_)
        observer_->cellsChanged(0, rowCount_ - 1);
}

void RenameList::setRowCount(int count) {
    count = std::max(count, 1);
    if (count == rowCount_)
        return;
    if (observer_)
        observer_->rowCountAboutToChange();
    reserveRows(count);
    rowCount_ = count;
    if (observer_)
        observer_->rowCountChanged();
    // A count at or below the current row pulls the current cell to the new last
    // row, and that move is announced like any other row change.
    // With no file rows left the current cell waits on row 1, unannounced, for
    // the next fill.
    if (count == 1) {
        setCurrent({current_.column, 1});
    } else if (current_.row >= count) {
        const int lastRow = count - 1;
        bool allow = true;
        if (OnRowChanging)
            OnRowChanging(current_.row, lastRow, allow);
        setCurrent({current_.column, lastRow});
    }
}

void RenameList::renumberColumn(int column) {
    if (column < 0 || column >= ColCount || rowCount_ < 2)
        return;
    for (int row = 1; row < rowCount_; ++row)
        putText(column, static_cast<size_t>(row), std::to_string(row));
    notifyCells(1, rowCount_ - 1);
}

std::string RenameList::oldPath(int row) const {
    return getCell(Directory, row) + getCell(OldName, row) + getCell(Extension, row);
}

std::string RenameList::newPath(int row) const {
    return getCell(Directory, row) + getCell(NewName, row) + getCell(Extension, row);
}

namespace {

// Hands out a vector's paths in order, as fillFrom asks for them.
template <typename Paths> auto inOrder(const Paths& paths) {
    return [&paths, i = std::size_t{0}](std::string_view& path) mutable {
        path = paths[i++];
        return true;
    };
}

} // namespace

void RenameList::fill(const std::vector<std::string>& paths, const PathRule& rule) {
    fillFrom(paths.size(), inOrder(paths), rule);
}

void RenameList::fillViews(const std::vector<std::string_view>& paths, const PathRule& rule) {
    fillFrom(paths.size(), inOrder(paths), rule);
}

std::size_t RenameList::fillSequence(std::size_t count,
                                     const std::function<bool(std::string_view&)>& next,
                                     const PathRule& rule) {
    return fillFrom(count, next, rule);
}

template <typename Next>
std::size_t RenameList::fillFrom(std::size_t count, Next&& next, const PathRule& rule) {
    beginUpdate();
    struct EndUpdate {
        RenameList* list;
        ~EndUpdate() { list->endUpdate(); }
    } guard{this};
    setRowCount(static_cast<int>(count) + 1);
    std::size_t filled = 0;
    std::string_view path;
    while (filled < count && next(path)) {
        const PathPartViews parts = splitPathViews(path, rule);
        const size_t row = ++filled;
        texts_[OldName][row].assign(parts.name);
        texts_[NewName][row].clear();
        ids_[Extension][row] = pools_[Extension].intern(parts.extension);
        ids_[Directory][row] = pools_[Directory].intern(parts.directory);
        // Result words of an earlier run must never stand beside other files.
        ids_[Result][row] = TextPool::empty;
    }
    if (filled < count)
        setRowCount(static_cast<int>(filled) + 1);
    rowIndicatorLoaded_ = true;
    pendingChange_ = true;
    renumberColumn(Number);
    return filled;
}

bool RenameList::isFixedCell(int column, int row) const {
    if (row < FixedRows || column < FixedCols)
        return true;
    bool fixed = false;
    if (OnIsFixedCell)
        OnIsFixedCell(row, column, fixed);
    return fixed;
}

bool RenameList::canEditCell(int column, int row) const {
    if (isFixedCell(column, row))
        return false;
    bool canEdit = true;
    if (OnCanEditCell)
        OnCanEditCell(row, column, canEdit);
    return canEdit;
}

void RenameList::setCurrent(CellCoord cell) {
    if (cell == current_)
        return;
    current_ = cell;
    if (observer_)
        observer_->currentCellChanged();
}

bool RenameList::announceRowChange(int newRow) {
    bool allow = true;
    if (newRow != current_.row && OnRowChanging)
        OnRowChanging(current_.row, newRow, allow);
    return allow;
}

bool RenameList::requestCell(int column, int row) {
    if (row < FixedRows || row >= rowCount_ || column < FixedCols || column >= ColCount)
        return false;
    const bool allow = announceRowChange(row);
    const bool fixed = isFixedCell(column, row);
    if (!canEditCell(column, row))
        editing_ = false;
    if (!allow || fixed)
        return false;
    editing_ = canEditCell(column, row);
    setCurrent({column, row});
    return true;
}

void RenameList::wheelStep(int direction) {
    const int target = current_.row + (direction > 0 ? 1 : -1);
    if (target < FixedRows || target >= rowCount_)
        return;
    requestCell(current_.column, target);
}

void RenameList::moveRows(int delta) {
    const int target =
        std::clamp(current_.row + delta, FixedRows, std::max(rowCount_ - 1, FixedRows));
    if (target == current_.row || target >= rowCount_)
        return;
    requestCell(current_.column, target);
}

void RenameList::headerClick(int column) {
    if (rowCount_ <= 2 || column < 0 || column >= ColCount)
        return;
    if (column == sortSettings_.Column) {
        sortSettings_.Direction = sortSettings_.Direction == SortDirection::Ascending
                                      ? SortDirection::Descending
                                      : SortDirection::Ascending;
    } else {
        sortSettings_ = {column, SortDirection::Ascending};
    }
    beginUpdate();
    sortRows(sortSettings_.Column, sortSettings_.Direction);
    if (OnClickSort)
        OnClickSort(sortSettings_.Column);
    endUpdate();
}

// One sort: the row order being sorted and, for the sort column, what each
// cell's comparison needs, worked out once instead of in every comparison.
struct RenameList::SortPass {
    std::vector<int> order;
    std::vector<CellSortKey> keys;
    int column = 0;
    int direction = 1;
};

void RenameList::sortRows(int column, SortDirection direction) {
    if (rowCount_ <= 2)
        return;
    SortPass pass;
    pass.column = column;
    pass.direction = direction == SortDirection::Ascending ? 1 : -1;
    pass.order.resize(static_cast<size_t>(rowCount_));
    for (int row = 0; row < rowCount_; ++row)
        pass.order[static_cast<size_t>(row)] = row;
    if (column >= 0 && column < ColCount) {
        pass.keys.resize(static_cast<size_t>(rowCount_));
        for (int row = 1; row < rowCount_; ++row)
            pass.keys[static_cast<size_t>(row)] = cellSortKey(getCell(column, row), locale_);
    }
    quickSort(pass, 1, rowCount_ - 1);
    reorderRows(pass.order);
    notifyCells(1, rowCount_ - 1);
}

// The exact steps matter: the sort is not stable, and where equal rows end up
// must not change between versions. It sorts the row order and leaves the
// cells where they are; order[k] names the stored row that ends up at row k.
// The pivot is the row that stood in the middle when the range was entered,
// as a copy of its cells would be.
void RenameList::quickSort(SortPass& pass, int lo, int hi) const {
    std::vector<int>& order = pass.order;
    const int direction = pass.direction;
    const auto at = [&order](int k) { return static_cast<size_t>(order[static_cast<size_t>(k)]); };
    const size_t pivot = at((lo + hi) / 2);
    int i = lo;
    int j = hi;
    do {
        while (compareSorting(pass, pivot, at(i)) == direction && i < hi)
            ++i;
        while (compareSorting(pass, at(j), pivot) == direction && lo < j)
            --j;
        if (i <= j) {
            if (i != j && compareSorting(pass, at(i), at(j)) != 0)
                std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(j)]);
            ++i;
            --j;
        }
    } while (j >= i);
    if (lo < j)
        quickSort(pass, lo, j);
    if (i < hi)
        quickSort(pass, i, hi);
}

// compareStored, with the sort column's cells compared through their keys.
int RenameList::compareSorting(const SortPass& pass, size_t a, size_t b) const {
    if (pass.keys.empty())
        return compareStored(pass.column, a, b);
    const auto c = static_cast<size_t>(pass.column);
    int order = 0;
    if (isPooled(pass.column)) {
        const TextPool::Id idA = ids_[c][a];
        const TextPool::Id idB = ids_[c][b];
        if (idA != idB)
            order = compareCellKeys(pass.keys[a], pools_[c].text(idA), pass.keys[b],
                                    pools_[c].text(idB), locale_);
    } else {
        order = compareCellKeys(pass.keys[a], texts_[c][a], pass.keys[b], texts_[c][b], locale_);
    }
    return order != 0 ? order : compareStored(pass.column + 1, a, b);
}

namespace {

// Gathers one column at a time into a fresh copy in the new order: writing
// in order is kinder to the cache than chasing the order's cycles in place,
// and only one column is ever held twice.
template <typename Cell>
void reorderColumn(std::vector<Cell>& cells, const std::vector<int>& order) {
    std::vector<Cell> sorted;
    sorted.reserve(cells.size());
    for (size_t row = 0; row < order.size(); ++row)
        sorted.push_back(std::move(cells[static_cast<size_t>(order[row])]));
    for (size_t row = order.size(); row < cells.size(); ++row)
        sorted.push_back(std::move(cells[row]));
    cells.swap(sorted);
}

} // namespace

void RenameList::reorderRows(const std::vector<int>& order) {
    for (int column = 0; column < ColCount; ++column) {
        const auto c = static_cast<size_t>(column);
        if (isPooled(column))
            reorderColumn(ids_[c], order);
        else
            reorderColumn(texts_[c], order);
    }
}

// Cells of a pooled column that name one text are equal without a look at it.
int RenameList::compareStored(int sortColumn, size_t a, size_t b) const {
    for (int column = std::max(sortColumn, 0); column < ColCount; ++column) {
        const auto c = static_cast<size_t>(column);
        int order = 0;
        if (isPooled(column)) {
            const TextPool::Id idA = ids_[c][a];
            const TextPool::Id idB = ids_[c][b];
            if (idA == idB)
                continue;
            order = compareCellTexts(pools_[c].text(idA), pools_[c].text(idB), locale_);
        } else {
            order = compareCellTexts(texts_[c][a], texts_[c][b], locale_);
        }
        if (order != 0)
            return order;
    }
    return 0;
}

int RenameList::compareCells(int column, int rowA, int rowB) const {
    return compareCellTexts(getCell(column, rowA), getCell(column, rowB), locale_);
}

int RenameList::compareRows(int sortColumn, int rowA, int rowB) const {
    if (rowA < 0 || rowB < 0 || static_cast<size_t>(std::max(rowA, rowB)) >= rowsHeld_)
        return 0;
    return compareStored(sortColumn, static_cast<size_t>(rowA), static_cast<size_t>(rowB));
}

} // namespace quorbel
