// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/platefinder.h"

#include <optional>
#include <string_view>

namespace quorbel {
namespace {

constexpr int maxNumberDigits = 4;
constexpr char firstLetter = 'A';

// The two plate sizes: 8 × 12 and 16 × 24.
int rowsForColumns(int columns) {
    return columns == 12 ? 8 : columns == 24 ? 16 : 0;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::optional<int> numberInText(std::string_view text) {
    text = trimmed(text);
    if (text.empty() || text.size() > maxNumberDigits)
        return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<int> numberInCell(const SheetCell& cell) {
    if (cell.type == SheetCell::Type::Text)
        return numberInText(cell.text);
    if (cell.type == SheetCell::Type::Number && cell.number >= 1 && cell.number <= 9999 &&
        cell.number == static_cast<double>(static_cast<int>(cell.number)))
        return static_cast<int>(cell.number);
    return std::nullopt;
}

bool isLetter(const SheetCell& cell, char wanted) {
    if (cell.type != SheetCell::Type::Text)
        return false;
    const std::string_view text = trimmed(cell.text);
    return text.size() == 1 && (text[0] == wanted || text[0] == wanted - 'A' + 'a');
}

// What was found from one cell holding the column number 1.
struct Candidate {
    size_t gridRow = 0; // 0: the heading row, n: data row n - 1
    int column = 0;     // of the 1, in table columns
    int numbers = 0;    // 1, 2, ... numbers in a row
    int letters = 0;    // A, B, ... letters below, left of the 1
    bool letterColumn = false;

    int wantedRows() const { return rowsForColumns(numbers); }
    bool isBlock() const { return letterColumn && wantedRows() > 0 && letters == wantedRows(); }
    // How far the grid went right before it failed: numbers first, then letters.
    int progress() const { return wantedRows() > 0 ? 100 + letters : numbers; }
};

// The sheet seen as a grid whose row 0 is the heading row the reader took the
// column names from: a plate may start in the sheet's first row.
class PlateScanner {
public:
    explicit PlateScanner(const MappingTable& sheet) : sheet_(sheet) {}

    template <typename Visit> void scan(Visit&& visit) const {
        const auto& names = sheet_.columnNames();
        for (size_t column = 0; column < names.size(); ++column) {
            if (numberInText(names[column]) == 1)
                visit(examine(0, static_cast<int>(column)));
        }
        for (size_t row = 0; row < sheet_.rowCount(); ++row) {
            for (const PlacedCell& placed : sheet_.rowCells(row)) {
                if (numberInCell(placed.cell) == 1)
                    visit(examine(row + 1, placed.column));
            }
        }
    }

    PlateBlock blockOf(const Candidate& found) const {
        const int rows = found.wantedRows();
        std::vector<SheetCell> wells;
        wells.reserve(static_cast<size_t>(rows * found.numbers));
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < found.numbers; ++column)
                wells.push_back(
                    sheet_.cell(found.gridRow + static_cast<size_t>(row), found.column + column));
        }
        return PlateBlock(rows, found.numbers, sheetRow(found.gridRow),
                          sheetColumn(found.column - 1), std::move(wells));
    }

    std::uint32_t sheetRow(size_t gridRow) const {
        return sheet_.firstSheetRow() + static_cast<std::uint32_t>(gridRow);
    }
    std::uint32_t sheetColumn(int column) const {
        return sheet_.firstSheetColumn() + static_cast<std::uint32_t>(column);
    }

private:
    std::optional<int> numberAt(size_t gridRow, int column) const {
        if (gridRow > 0)
            return numberInCell(sheet_.cell(gridRow - 1, column));
        const auto& names = sheet_.columnNames();
        if (column < 0 || static_cast<size_t>(column) >= names.size())
            return std::nullopt;
        return numberInText(names[static_cast<size_t>(column)]);
    }

    Candidate examine(size_t gridRow, int column) const {
        Candidate found;
        found.gridRow = gridRow;
        found.column = column;
        found.numbers = 1;
        while (numberAt(gridRow, column + found.numbers) == found.numbers + 1)
            ++found.numbers;
        found.letterColumn = column > 0;
        if (found.wantedRows() == 0 || !found.letterColumn)
            return found;
        // Data row gridRow holds the row right below the numbers.
        while (found.letters < 26 &&
               isLetter(sheet_.cell(gridRow + static_cast<size_t>(found.letters), column - 1),
                        static_cast<char>(firstLetter + found.letters)))
            ++found.letters;
        return found;
    }

    const MappingTable& sheet_;
};

std::string letter(int index) {
    return std::string(1, static_cast<char>(firstLetter + index));
}

std::string whereItStopped(const Candidate& near) {
    const int n = near.numbers;
    if (near.wantedRows() == 0) {
        if (n > 24)
            return "列号连续到 " + std::to_string(n) + ",多于 24 个";
        return "列号 1–" + std::to_string(n) + " 之后缺 " + std::to_string(n + 1);
    }
    if (!near.letterColumn)
        return "它左边没有放行字母的列";
    const int wanted = near.wantedRows();
    if (near.letters == 0)
        return "左边一列紧接其下没有行字母 A";
    if (near.letters < wanted)
        return "行字母 A–" + letter(near.letters - 1) + " 之后缺 " + letter(near.letters);
    return "行字母连续到 " + letter(near.letters - 1) + ",多于 " + std::to_string(wanted) + " 个";
}

} // namespace

std::vector<PlateBlock> findPlateBlocks(const MappingTable& sheet) {
    const PlateScanner scanner(sheet);
    std::vector<PlateBlock> blocks;
    scanner.scan([&](const Candidate& found) {
        if (found.isBlock())
            blocks.push_back(scanner.blockOf(found));
    });
    return blocks;
}

std::string noPlateMessage(const MappingTable& sheet) {
    const PlateScanner scanner(sheet);
    std::optional<Candidate> nearest;
    scanner.scan([&](const Candidate& found) {
        // A lone 1 or "1 2" is too common in a list to be taken for a grid.
        const bool lookedLikeGrid = found.numbers >= 3 || found.wantedRows() > 0;
        if (lookedLikeGrid && (!nearest || found.progress() > nearest->progress()))
            nearest = found;
    });
    std::string message = "工作表中没有板图:要找的是一行从 1 起连续的列号(12 或 24 个),"
                          "第一个列号左边一列紧接其下是从 A 起连续的行字母(8 或 16 个)";
    if (nearest)
        message += ";最接近的是 " +
                   sheetCellName(scanner.sheetRow(nearest->gridRow),
                                 scanner.sheetColumn(nearest->column)) +
                   " 起的一行:" + whereItStopped(*nearest);
    return message;
}

} // namespace quorbel
