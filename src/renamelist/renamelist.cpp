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

RenameList::RenameList() : rows_(2) {
    rows_[0][0].clear();
    for (int column = 1; column < ColCount; ++column)
        rows_[0][static_cast<size_t>(column)] = headers[column - 1].text();
}

const std::string& RenameList::getCell(int column, int row) const {
    if (column < 0 || column >= ColCount || row < 0 || row >= static_cast<int>(rows_.size()))
        return emptyText;
    return rows_[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

RenameList::Row& RenameList::rowAt(int row) {
    if (row >= static_cast<int>(rows_.size()))
        rows_.resize(static_cast<size_t>(row) + 1);
    return rows_[static_cast<size_t>(row)];
}

void RenameList::setCell(int column, int row, std::string text) {
    if (column < 0 || column >= ColCount || row < 0)
        return;
    rowAt(row)[static_cast<size_t>(column)] = std::move(text);
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
    rowAt(count - 1);
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
        rowAt(row)[static_cast<size_t>(column)] = std::to_string(row);
    notifyCells(1, rowCount_ - 1);
}

std::string RenameList::oldPath(int row) const {
    return getCell(Directory, row) + getCell(OldName, row) + getCell(Extension, row);
}

std::string RenameList::newPath(int row) const {
    return getCell(Directory, row) + getCell(NewName, row) + getCell(Extension, row);
}

void RenameList::fill(const std::vector<std::string>& paths, const PathRule& rule) {
    beginUpdate();
    struct EndUpdate {
        RenameList* list;
        ~EndUpdate() { list->endUpdate(); }
    } guard{this};
    setRowCount(static_cast<int>(paths.size()) + 1);
    for (size_t i = 0; i < paths.size(); ++i) {
        PathParts parts = splitPath(paths[i], rule);
        Row& row = rowAt(static_cast<int>(i) + 1);
        row[OldName] = std::move(parts.name);
        row[NewName].clear();
        row[Extension] = std::move(parts.extension);
        row[Directory] = std::move(parts.directory);
        // Result words of an earlier run must never stand beside other files.
        row[Result].clear();
    }
    rowIndicatorLoaded_ = true;
    pendingChange_ = true;
    renumberColumn(Number);
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

void RenameList::sortRows(int column, SortDirection direction) {
    if (rowCount_ <= 2)
        return;
    quickSort(1, rowCount_ - 1, column, direction == SortDirection::Ascending ? 1 : -1);
    notifyCells(1, rowCount_ - 1);
}

// The exact steps matter: the sort is not stable, and where equal rows end up
// must not change between versions.
void RenameList::quickSort(int lo, int hi, int column, int direction) {
    const Row pivot = rows_[static_cast<size_t>((lo + hi) / 2)];
    int i = lo;
    int j = hi;
    do {
        while (compareRowWith(column, pivot, rows_[static_cast<size_t>(i)]) == direction && i < hi)
            ++i;
        while (compareRowWith(column, rows_[static_cast<size_t>(j)], pivot) == direction && lo < j)
            --j;
        if (i <= j) {
            if (i != j && compareRows(column, i, j) != 0)
                std::swap(rows_[static_cast<size_t>(i)], rows_[static_cast<size_t>(j)]);
            ++i;
            --j;
        }
    } while (j >= i);
    if (lo < j)
        quickSort(lo, j, column, direction);
    if (i < hi)
        quickSort(i, hi, column, direction);
}

int RenameList::compareRowWith(int sortColumn, const Row& a, const Row& b) const {
    for (int k = std::max(sortColumn, 0); k < ColCount; ++k) {
        const int order =
            compareCellTexts(a[static_cast<size_t>(k)], b[static_cast<size_t>(k)], locale_);
        if (order != 0)
            return order;
    }
    return 0;
}

int RenameList::compareCells(int column, int rowA, int rowB) const {
    return compareCellTexts(getCell(column, rowA), getCell(column, rowB), locale_);
}

int RenameList::compareRows(int sortColumn, int rowA, int rowB) const {
    return compareRowWith(sortColumn, rows_[static_cast<size_t>(rowA)],
                          rows_[static_cast<size_t>(rowB)]);
}

} // namespace quorbel
