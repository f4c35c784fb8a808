// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorbel {

// Raised by a reader for a file that is not a workbook, is damaged, encrypted or
// has no sheets; its message is shown to the user as it stands.
class WorkbookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct SheetCell {
    enum class Type { Empty, Text, Number, Date, Boolean };
    Type type = Type::Empty;
    std::string text;  // Text cells
    double number = 0; // Number, Boolean (0 or 1) and Date cells (day serial from 1899-12-30)
};

enum class ColumnKind { Text, Number, Date };

// A data cell with its column, for tables built from the cells a file really
// holds, so a sparse sheet costs memory by its cells, not by its extent.
struct PlacedCell {
    int column = 0;
    SheetCell cell;
};

// One sheet as read: the first row gives the column names, later rows are data.
class MappingTable {
public:
    MappingTable() = default;
    MappingTable(std::vector<std::string> columnNames, std::vector<std::vector<SheetCell>> rows);
    // Rows hold only their non-empty cells, ordered by column; columns outside
    // 0 .. columnNames.size() - 1 are dropped.
    MappingTable(std::vector<std::string> columnNames, std::vector<std::vector<PlacedCell>> rows);

    const std::vector<std::string>& columnNames() const { return columnNames_; }
    // The first column of that name, byte for byte, or -1.
    int columnIndex(const std::string& name) const;
    size_t rowCount() const { return rows_.size(); }
    // An empty cell for any row or column outside the table.
    const SheetCell& cell(size_t row, int column) const;
    ColumnKind kind(int column) const;
    // A data row's non-empty cells, ordered by column; empty outside the table.
    const std::vector<PlacedCell>& rowCells(size_t row) const;

    // Where the table stands on its sheet: the zero-based sheet row of the
    // heading row and sheet column of the first column, so a cell can be
    // named as the spreadsheet program names it.
    std::uint32_t firstSheetRow() const { return firstSheetRow_; }
    std::uint32_t firstSheetColumn() const { return firstSheetColumn_; }
    void placeOnSheet(std::uint32_t row, std::uint32_t column) {
        firstSheetRow_ = row;
        firstSheetColumn_ = column;
    }

private:
    void computeKinds();

    std::vector<std::string> columnNames_;
    std::vector<std::vector<PlacedCell>> rows_;
    std::vector<ColumnKind> kinds_;
    std::uint32_t firstSheetRow_ = 0;
    std::uint32_t firstSheetColumn_ = 0;
};

// Access to one workbook. Every failure is raised as WorkbookError.
class WorkbookReader {
public:
    virtual ~WorkbookReader() = default;
    virtual std::vector<std::string> sheetNames() = 0;
    virtual MappingTable readSheet(const std::string& sheetName) = 0;
};

// Opens a workbook, choosing the reader by the file's content, not its name.
std::unique_ptr<WorkbookReader> openWorkbook(const std::string& path);

} // namespace quorbel
