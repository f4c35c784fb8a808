// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>

namespace quorbel {

class RenameList;

// The whole list as it goes into a workbook: every row from the header row on,
// every column from the row indicator on, each cell as its export text. Clean
// cells are read from the list in place; only cells that need a change are
// copied, so the block costs next to nothing beside the list.
class ExportBlock {
public:
    static constexpr int columnCount = 7;

    struct Extent {
        int firstRow = 0, lastRow = -1; // lastRow < firstRow: no cell holds text
        int firstColumn = 0, lastColumn = -1;
        bool empty() const { return lastRow < firstRow; }
    };
    struct CellLength {
        int row = 0, column = 0;
        size_t length = 0; // UTF-16 code units
    };

    // The list must outlive the block and stay unchanged while it is used.
    explicit ExportBlock(const RenameList& list);

    int rowCount() const { return rowCount_; }
    const std::string& text(int row, int column) const;
    // Cells in which some byte was not valid UTF-8 and became U+FFFD.
    size_t replacedCells() const { return replacedCells_; }
    const Extent& extent() const { return extent_; }
    const CellLength& longestCell() const { return longest_; }

private:
    void scan(int row, int column);

    const RenameList& list_;
    int rowCount_ = 0;
    std::unordered_map<size_t, std::string> cleaned_; // by row * columnCount + column
    size_t replacedCells_ = 0;
    Extent extent_;
    CellLength longest_;
};

} // namespace quorbel
