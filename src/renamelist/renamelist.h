// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/localeformat.h"
#include "global/pathsplit.h"
#include "renamelist/textpool.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

enum class SortDirection { Ascending, Descending };

struct SortSettings {
    int Column = 0;
    SortDirection Direction = SortDirection::Ascending;
};

struct CellCoord {
    int column = 0;
    int row = 0;
    bool operator==(const CellCoord&) const = default;
};

// Told about every change so a view can follow the list; the list itself never
// draws. A batch (beginUpdate/endUpdate) collapses its changes into one call.
class RenameListObserver {
public:
    virtual ~RenameListObserver() = default;
    virtual void cellsChanged(int firstRow, int lastRow) = 0;
    virtual void rowCountAboutToChange() = 0;
    virtual void rowCountChanged() = 0;
    virtual void currentCellChanged() = 0;
};

// The rename list: a grid of byte-string cells, seven columns, row 0 the header.
// Cells are kept per row independently of the row count, so lowering the count
// hides rows without erasing them.
//
// Kept by column, for lists of a million rows: the columns whose texts rows
// share (indicator, extension, directory, result) hold a number per row into
// a pool that keeps each text once; the names and numbers, different in every
// row, are strings of their own, short ones inside the string without a heap
// block. A reference from getCell stays valid until that cell is set again or
// the list grows.
class RenameList {
public:
    static constexpr int ColCount = 7;
    static constexpr int FixedRows = 1;
    static constexpr int FixedCols = 1;

    enum Column {
        Indicator = 0,
        Number = 1,
        OldName = 2,
        NewName = 3,
        Extension = 4,
        Directory = 5,
        Result = 6
    };

    RenameList();

    const std::string& getCell(int column, int row) const;
    void setCell(int column, int row, std::string text);
    int RowCount() const { return rowCount_; }
    void setRowCount(int count);
    void renumberColumn(int column);

    std::string oldPath(int row) const;
    std::string newPath(int row) const;

    // Replaces the file rows with one row per path; column 0 keeps its text.
    void fill(const std::vector<std::string>& paths, const PathRule& rule);
    // The same from views, for a caller that keeps its paths in one block.
    void fillViews(const std::vector<std::string_view>& paths, const PathRule& rule);
    // The same from paths handed over one at a time: next(path) gives the next
    // one, or false when there is none. count is how many are expected; the
    // list ends with the rows actually given, and stops taking more at count.
    // Returns the number of rows filled.
    std::size_t fillSequence(std::size_t count,
                             const std::function<bool(std::string_view&)>& next,
                             const PathRule& rule);

    // The row indicator is drawn only once a fill has loaded it.
    bool rowIndicatorLoaded() const { return rowIndicatorLoaded_; }

    // The grid's event hooks; any of them may be left empty.
    std::function<void(int row, int column, bool& canEdit)> OnCanEditCell;
    std::function<void(int row, int column, bool& isFixed)> OnIsFixedCell;
    std::function<void(int column)> OnClickSort;
    std::function<void(int oldRow, int newRow, bool& allow)> OnRowChanging;

    bool isFixedCell(int column, int row) const;
    bool canEditCell(int column, int row) const;

    CellCoord currentCell() const { return current_; }
    bool editingEnabled() const { return editing_; }

    // A click or key asking for a cell. Announces a row change first; then moves
    // when the cell may become current. Returns whether it moved.
    bool requestCell(int column, int row);
    // One wheel step: +1 down, -1 up, stopping at the first and last file rows.
    void wheelStep(int direction);
    // Arrow and page keys: moves by delta rows within the file rows.
    void moveRows(int delta);

    const SortSettings& sortSettings() const { return sortSettings_; }
    // A header click that passed the view's position checks.
    void headerClick(int column);
    void sortRows(int column, SortDirection direction);

    void setLocale(const LocaleFormat& locale) { locale_ = locale; }
    const LocaleFormat& locale() const { return locale_; }

    void setObserver(RenameListObserver* observer) { observer_ = observer; }
    void beginUpdate();
    void endUpdate();

    int compareCells(int column, int rowA, int rowB) const;
    int compareRows(int sortColumn, int rowA, int rowB) const;

private:
    static constexpr bool isPooled(int column) {
        return column == Indicator || column == Extension || column == Directory ||
               column == Result;
    }

    template <typename Next>
    std::size_t fillFrom(std::size_t count, Next&& next, const PathRule& rule);
    void reserveRows(int count);
    void putText(int column, std::size_t row, std::string&& text);
    void notifyCells(int firstRow, int lastRow);
    bool announceRowChange(int newRow);
    void setCurrent(CellCoord cell);
    struct SortPass;
    void quickSort(SortPass& pass, int lo, int hi) const;
    void reorderRows(const std::vector<int>& order);
    int compareStored(int sortColumn, std::size_t a, std::size_t b) const;
    int compareSorting(const SortPass& pass, std::size_t a, std::size_t b) const;

    // Every column holds rowsHeld_ cells; only one of the two vectors of a
    // column is used, chosen by isPooled.
    std::array<std::vector<std::string>, ColCount> texts_;
    std::array<std::vector<TextPool::Id>, ColCount> ids_;
    std::array<TextPool, ColCount> pools_;
    std::size_t rowsHeld_ = 0;
    int rowCount_ = 2;
    CellCoord current_{1, 1};
    bool editing_ = false;
    bool rowIndicatorLoaded_ = false;
    SortSettings sortSettings_;
    LocaleFormat locale_;
    RenameListObserver* observer_ = nullptr;
    int updateDepth_ = 0;
    bool pendingChange_ = false;
};

} // namespace quorbel
