// SPDX-License-Identifier: GPL-3.0-or-later
// Plate layouts: finding the blocks on a sheet, wells in file names, and the
// new names they give, from workbooks written by LibreOffice Calc and openpyxl.
#include "countingobserver.h"
#include "mapping/applyplate.h"
#include "mapping/celltext.h"
#include "mapping/platefinder.h"
#include "mapping/platewell.h"
#include "mapping/sheetbuilder.h"
#include "mapping/workbookmessages.h"
#include "renamelist/renamelist.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorbel {
namespace {

std::string plateFixture(const std::string& name) {
    return std::string(QUORBEL_FIXTURES) + "/mapping/plates/" + name;
}

std::string wellText(const PlateBlock& block, const std::string& well) {
    const auto found = wellInName(well, block.rows(), block.columns());
    if (!found)
        return "<off the plate>";
    return cellText(block.well(found->row, found->column), LocaleFormat{});
}

// ---------------------------------------------------------------------------
// The fixture workbooks: every producer, every sheet.

struct ExpectedBlock {
    int rows;
    int columns;
    std::string corner;
    std::map<std::string, std::string> wells; // well -> cell text, "" empty
};

struct FixtureCase {
    std::string file;
    std::string sheet;
    std::vector<ExpectedBlock> blocks;
};

std::ostream& operator<<(std::ostream& out, const FixtureCase& c) {
    return out << c.file << " " << c.sheet;
}

// What a well holding a formula reads as: Calc stores the result with the
// formula; openpyxl stores none, and nothing here recalculates.
std::vector<FixtureCase> fixtureCases(const std::string& file, const std::string& formulaResult) {
    const std::map<std::string, std::string> sampleWells{
        {"A1", "S01"}, {"A3", "101"},  {"B2", formulaResult}, {"C5", "2024-05-01"},
        {"D7", "1.5"}, {"H11", "S95"}, {"H12", ""},           {"h01", "S85"},
    };
    return {
        {file, "96孔", {{8, 12, "B4", sampleWells}}},
        {file,
         "两板",
         {{8, 12, "A2", {{"A1", "X1"}, {"H12", "X96"}}},
          {8, 12, "A13", {{"A1", "Y1"}, {"E6", "Y54"}, {"H12", "Y96"}}}}},
        {file, "384孔", {{16, 24, "A1", {{"A1", "Q001"}, {"B1", "Q025"}, {"P24", "Q384"}}}}},
        {file, "文本列号", {{8, 12, "A1", {{"A1", "T1"}, {"H12", "T96"}}}}},
        {file, "缺号", {}},
        {file, "名单", {}},
    };
}

std::vector<FixtureCase> allFixtureCases() {
    std::vector<FixtureCase> all;
    for (const char* file : {"lo-plates.xlsx", "lo-plates.xls", "lo-plates.ods"}) {
        const auto cases = fixtureCases(file, "样品-B2");
        all.insert(all.end(), cases.begin(), cases.end());
    }
    const auto openpyxl = fixtureCases("openpyxl-plates.xlsx", "");
    all.insert(all.end(), openpyxl.begin(), openpyxl.end());
    return all;
}

class PlateFixture : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(PlateFixture, FindsEveryBlockWithItsCornerAndWells) {
    const FixtureCase& c = GetParam();
    const auto reader = openWorkbook(plateFixture(c.file));
    const MappingTable sheet = reader->readSheet(c.sheet);
    const std::vector<PlateBlock> blocks = findPlateBlocks(sheet);
    ASSERT_EQ(blocks.size(), c.blocks.size());
    for (size_t i = 0; i < blocks.size(); ++i) {
        SCOPED_TRACE("block " + std::to_string(i + 1));
        const ExpectedBlock& expected = c.blocks[i];
        EXPECT_EQ(blocks[i].rows(), expected.rows);
        EXPECT_EQ(blocks[i].columns(), expected.columns);
        EXPECT_EQ(blocks[i].cornerName(), expected.corner);
        for (const auto& [well, text] : expected.wells)
            EXPECT_EQ(wellText(blocks[i], well), text) << well;
    }
}

INSTANTIATE_TEST_SUITE_P(Producers, PlateFixture, ::testing::ValuesIn(allFixtureCases()));

TEST(PlateFixture, GapInTheNumbersIsNamedInTheMessage) {
    for (const char* file : {"lo-plates.xlsx", "lo-plates.xls", "openpyxl-plates.xlsx"}) {
        const auto reader = openWorkbook(plateFixture(file));
        const std::string message = noPlateMessage(reader->readSheet("缺号"));
        EXPECT_NE(message.find("列号(12 或 24 个)"), std::string::npos) << message;
        EXPECT_NE(message.find("B1 起的一行:列号 1–6 之后缺 7"), std::string::npos) << message;
    }
}

TEST(PlateFixture, DamagedWorkbookGivesTheReadersError) {
    std::ifstream in(plateFixture("lo-plates.xlsx"), std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto path = std::filesystem::temp_directory_path() / "quorbel-damaged-plates.xlsx";
    std::ofstream(path, std::ios::binary)
        .write(content.data(), static_cast<std::streamsize>(content.size() / 2));
    try {
        const auto reader = openWorkbook(path.string());
        reader->readSheet("96孔");
        ADD_FAILURE() << "a half workbook was read";
    } catch (const WorkbookError& error) {
        EXPECT_EQ(std::string(error.what()), workbookmessages::Damaged.text());
    }
    std::filesystem::remove(path);
}

// ---------------------------------------------------------------------------
// The block rule on small sheets. A grid of texts: "#5" is the number 5,
// anything else is text, "" an empty cell. It is placed on the sheet at the
// given row and column, as a reader delivers it.

using Grid = std::vector<std::vector<std::string>>;

MappingTable sheetOf(const Grid& grid, std::uint32_t top = 0, std::uint32_t left = 0) {
    SheetBuilder builder;
    for (size_t r = 0; r < grid.size(); ++r) {
        for (size_t c = 0; c < grid[r].size(); ++c) {
            const std::string& text = grid[r][c];
            SheetCell cell;
            if (text.size() > 1 && text[0] == '#')
                cell = {SheetCell::Type::Number, {}, std::stod(text.substr(1))};
            else if (!text.empty())
                cell = {SheetCell::Type::Text, text, 0};
            builder.add(top + static_cast<std::uint32_t>(r), left + static_cast<std::uint32_t>(c),
                        cell);
        }
    }
    return builder.build();
}

// A block with its corner in the grid's first cell; wells read "w" + row
// letter + column.
Grid plateGrid(int rows, int columns) {
    Grid grid(1, std::vector<std::string>{""});
    for (int c = 1; c <= columns; ++c)
        grid[0].push_back("#" + std::to_string(c));
    for (int r = 0; r < rows; ++r) {
        std::vector<std::string> row{std::string(1, static_cast<char>('A' + r))};
        for (int c = 1; c <= columns; ++c)
            row.push_back("w" + std::string(1, static_cast<char>('A' + r)) + std::to_string(c));
        grid.push_back(row);
    }
    return grid;
}

struct RuleCase {
    const char* name;
    Grid grid;
    std::uint32_t top, left;
    std::vector<std::string> corners; // of the blocks found
    std::string message;              // part of the message when none is found
};

std::ostream& operator<<(std::ostream& out, const RuleCase& c) {
    return out << c.name;
}

Grid edited(Grid grid, size_t row, size_t column, const std::string& text) {
    if (grid.size() <= row)
        grid.resize(row + 1);
    if (grid[row].size() <= column)
        grid[row].resize(column + 1);
    grid[row][column] = text;
    return grid;
}

Grid stacked(const Grid& top, const Grid& bottom, size_t gap) {
    Grid grid = top;
    grid.resize(grid.size() + gap);
    grid.insert(grid.end(), bottom.begin(), bottom.end());
    return grid;
}

Grid sideBySide(const Grid& left, const Grid& right, size_t gap) {
    Grid grid = left;
    for (size_t r = 0; r < right.size(); ++r) {
        if (grid.size() <= r)
            grid.emplace_back();
        grid[r].resize(left[0].size() + gap);
        grid[r].insert(grid[r].end(), right[r].begin(), right[r].end());
    }
    return grid;
}

std::vector<RuleCase> ruleCases() {
    const Grid p96 = plateGrid(8, 12);
    const Grid p384 = plateGrid(16, 24);
    Grid textNumbers = p96;
    for (int c = 1; c <= 12; ++c)
        textNumbers[0][static_cast<size_t>(c)] =
            c < 10 ? "0" + std::to_string(c) : std::to_string(c);
    Grid lowerLetters = p96;
    for (int r = 1; r <= 8; ++r)
        lowerLetters[static_cast<size_t>(r)][0] = std::string(1, static_cast<char>('a' + r - 1));
    Grid spaced = edited(edited(p96, 0, 1, " 1 "), 3, 0, "C ");
    Grid titled = p96;
    titled.insert(titled.begin(), {"测序板", "", "日期"});
    titled.insert(titled.begin() + 1, std::vector<std::string>{});
    return {
        {"96 wells at A1", p96, 0, 0, {"A1"}, ""},
        {"96 wells far in", p96, 40, 5, {"F41"}, ""},
        {"384 wells", p384, 0, 0, {"A1"}, ""},
        {"numbers as text with zeros", textNumbers, 0, 0, {"A1"}, ""},
        {"lower-case letters", lowerLetters, 0, 0, {"A1"}, ""},
        {"blanks around numbers and letters", spaced, 0, 0, {"A1"}, ""},
        {"under a title", titled, 2, 1, {"B5"}, ""},
        {"two stacked", stacked(p96, p96, 2), 0, 0, {"A1", "A12"}, ""},
        {"stacked without a gap", stacked(p96, p96, 0), 0, 0, {"A1", "A10"}, ""},
        {"side by side, 384 then 96", sideBySide(p384, p96, 1), 0, 0, {"A1", "AA1"}, ""},
        {"number 7 missing", edited(p96, 0, 7, ""), 0, 0, {}, "B1 起的一行:列号 1–6 之后缺 7"},
        {"7 written as 8", edited(p96, 0, 7, "#8"), 0, 0, {}, "列号 1–6 之后缺 7"},
        {"13 columns", edited(p96, 0, 13, "#13"), 0, 0, {}, "列号 1–13 之后缺 14"},
        {"25 columns", edited(p384, 0, 25, "#25"), 0, 0, {}, "列号连续到 25,多于 24 个"},
        {"letter D missing", edited(p96, 4, 0, ""), 0, 0, {}, "行字母 A–C 之后缺 D"},
        {"letters run on to I", edited(p96, 9, 0, "I"), 0, 0, {}, "行字母连续到 I,多于 8 个"},
        {"16 letters under 12 numbers",
         [&] {
             Grid g = p96;
             for (int r = 8; r < 16; ++r)
                 g = edited(g, static_cast<size_t>(r + 1), 0,
                            std::string(1, static_cast<char>('A' + r)));
             return g;
         }(),
         0,
         0,
         {},
         "行字母连续到 P,多于 8 个"},
        {"8 letters under 24 numbers",
         edited(plateGrid(8, 24), 0, 0, ""),
         0,
         0,
         {},
         "行字母 A–H 之后缺 I"},
        {"letters one row too low",
         [&] {
             Grid g = p96;
             g.insert(g.begin() + 1, std::vector<std::string>{});
             return g;
         }(),
         0,
         0,
         {},
         "左边一列紧接其下没有行字母 A"},
        {"numbers in the first column",
         [&] {
             Grid g = p96;
             for (auto& row : g)
                 row.erase(row.begin());
             return g;
         }(),
         0,
         0,
         {},
         "它左边没有放行字母的列"},
        {"1 written as 1.5", edited(p96, 0, 1, "#1.5"), 0, 0, {}, ""},
        {"a list sheet", {{"文件名", "新名"}, {"A01", "x"}, {"#1", "#2"}}, 0, 0, {}, ""},
    };
}

class PlateRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(PlateRule, FindsExactlyTheWholeBlocks) {
    const RuleCase& c = GetParam();
    const MappingTable sheet = sheetOf(c.grid, c.top, c.left);
    std::vector<std::string> corners;
    for (const PlateBlock& block : findPlateBlocks(sheet))
        corners.push_back(block.cornerName());
    EXPECT_EQ(corners, c.corners);
    if (!c.corners.empty())
        return;
    const std::string message = noPlateMessage(sheet);
    EXPECT_EQ(message.rfind("工作表中没有板图:要找的是一行从 1 起连续的列号", 0), 0u) << message;
    if (c.message.empty())
        EXPECT_EQ(message.find("最接近"), std::string::npos) << message;
    else
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(Blocks, PlateRule, ::testing::ValuesIn(ruleCases()), [](const auto& info) {
    std::string name;
    for (const char c : std::string(info.param.name))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

TEST(PlateRule, WellsFollowTheirLetterAndNumber) {
    const Grid grid = plateGrid(16, 24);
    const std::vector<PlateBlock> blocks = findPlateBlocks(sheetOf(grid, 3, 2));
    ASSERT_EQ(blocks.size(), 1u);
    for (int r = 0; r < 16; ++r) {
        for (int c = 1; c <= 24; ++c) {
            const std::string expected =
                "w" + std::string(1, static_cast<char>('A' + r)) + std::to_string(c);
            ASSERT_EQ(cellText(blocks[0].well(r, c), LocaleFormat{}), expected);
        }
    }
    EXPECT_EQ(blocks[0].well(16, 1).type, SheetCell::Type::Empty);
    EXPECT_EQ(blocks[0].well(0, 25).type, SheetCell::Type::Empty);
}

TEST(SheetCellName, NamesColumnsAsSpreadsheetsDo) {
    EXPECT_EQ(sheetCellName(0, 0), "A1");
    EXPECT_EQ(sheetCellName(2, 1), "B3");
    EXPECT_EQ(sheetCellName(0, 25), "Z1");
    EXPECT_EQ(sheetCellName(0, 26), "AA1");
    EXPECT_EQ(sheetCellName(65535, 701), "ZZ65536");
    EXPECT_EQ(sheetCellName(1048575, 16383), "XFD1048576");
}

// ---------------------------------------------------------------------------
// Wells in file names.

struct NameCase {
    const char* name;
    int plateRows;
    std::optional<Well> well;
};

TEST(WellInName, TableOfNames) {
    const NameCase cases[] = {
        // the whole name
        {"A1", 8, Well{0, 1}},
        {"A01", 8, Well{0, 1}},
        {"a001", 8, Well{0, 1}},
        {"H12", 8, Well{7, 12}},
        {"h012", 8, Well{7, 12}},
        {"P24", 16, Well{15, 24}},
        // one token among others
        {"run5_C12_16", 8, Well{2, 12}},
        {"plate2-B07-M13F", 8, Well{1, 7}},
        {"E3.rerun", 8, Well{4, 3}},
        {"sample 7 G5", 8, Well{6, 5}},
        {"x_d10", 8, Well{3, 10}},
        // off the plate
        {"M5", 8, std::nullopt},
        {"M5", 16, Well{12, 5}},
        {"A13", 8, std::nullopt},
        {"A25", 16, std::nullopt},
        {"A0", 8, std::nullopt},
        {"A00", 8, std::nullopt},
        {"A0000000000001", 8, Well{0, 1}},
        {"A1000000000001", 8, std::nullopt},
        {"run_I1", 8, std::nullopt},
        // two wells, even when one is off the plate
        {"A01_B02", 8, std::nullopt},
        {"A1_A1", 8, std::nullopt},
        {"A01_P1", 8, std::nullopt},
        // no well
        {"", 8, std::nullopt},
        {"A", 8, std::nullopt},
        {"12", 8, std::nullopt},
        {"AB1", 8, std::nullopt},
        {"A1B", 8, std::nullopt},
        {"A1B2", 8, std::nullopt},
        {"sampleA01", 8, std::nullopt},
        {"样品A01", 8, std::nullopt},
        {"A01样品", 8, std::nullopt},
        {"run5", 8, std::nullopt},
        {"A+1", 8, std::nullopt},
        {"A1,B1", 8, std::nullopt},
        {"_A1_", 8, Well{0, 1}},
        {"A1 ", 8, Well{0, 1}},
    };
    for (const NameCase& c : cases) {
        const int columns = c.plateRows == 8 ? 12 : 24;
        EXPECT_EQ(wellInName(c.name, c.plateRows, columns), c.well)
            << "\"" << c.name << "\" on " << c.plateRows * columns << " wells";
    }
}

// ---------------------------------------------------------------------------
// New names from a plate.

TEST(ApplyPlate, NamesRowsByTheirWellsAndLeavesTheRestAlone) {
    Grid grid = plateGrid(8, 12);
    grid = edited(grid, 1, 2, "");     // A2 empty
    grid = edited(grid, 2, 3, "#1.5"); // B3 a number
    const std::vector<PlateBlock> blocks = findPlateBlocks(sheetOf(grid));
    ASSERT_EQ(blocks.size(), 1u);

    struct Row {
        const char* oldName;
        const char* newNameBefore;
        const char* newNameAfter;
    };
    const Row rows[] = {
        {"A01", "", "wA1"},        {"run5_C12_16", "kept", "wC12"},
        {"A2", "kept", "kept"}, // empty well
        {"B3", "", "1,5"},      // the list's decimal separator
        {"M5", "kept", "kept"}, // off the plate
        {"A1_B1", "", ""},      // two wells
        {"notes", "kept", "kept"}, {"h12", "", "wH12"},
    };
    RenameList list;
    list.setRowCount(static_cast<int>(std::size(rows)) + 1);
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        list.setCell(RenameList::OldName, i + 1, rows[i].oldName);
        list.setCell(RenameList::NewName, i + 1, rows[i].newNameBefore);
        list.setCell(RenameList::Extension, i + 1, ".ab1");
    }
    test::CountingObserver observer;
    list.setObserver(&observer);
    LocaleFormat comma;
    comma.decimalSeparator = ',';
    EXPECT_EQ(applyPlate(list, blocks[0], comma), 4);
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        EXPECT_EQ(list.getCell(RenameList::NewName, i + 1), rows[i].newNameAfter)
            << rows[i].oldName;
        EXPECT_EQ(list.getCell(RenameList::OldName, i + 1), rows[i].oldName);
        EXPECT_EQ(list.getCell(RenameList::Extension, i + 1), ".ab1");
    }
    EXPECT_EQ(observer.changes, 1) << "one batch";
}

TEST(ApplyPlate, ListWithoutFileRowsNamesNothing) {
    const std::vector<PlateBlock> blocks = findPlateBlocks(sheetOf(plateGrid(8, 12)));
    ASSERT_EQ(blocks.size(), 1u);
    RenameList list;
    EXPECT_EQ(applyPlate(list, blocks[0], LocaleFormat{}), 0);
}

} // namespace
} // namespace quorbel
