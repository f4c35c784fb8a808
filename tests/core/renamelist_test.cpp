// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/renamelist.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace quorbel {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// The list as the main window wires it: only column 3 is editable and not fixed,
// and every sort renumbers column 1.
class RenameListTest : public ::testing::Test {
protected:
    RenameListTest() {
        list.OnIsFixedCell = [](int, int column, bool& fixed) { fixed = column != 3; };
        list.OnCanEditCell = [](int, int column, bool& canEdit) { canEdit = column == 3; };
        list.OnClickSort = [this](int) {
            ++sortEvents;
            list.renumberColumn(RenameList::Number);
        };
        list.OnRowChanging = [this](int oldRow, int newRow, bool&) {
            announced.emplace_back(oldRow, newRow);
            if (newRow == failingRow)
                throw std::runtime_error("cannot preview");
        };
    }

    void fillNames(const std::vector<std::string>& names) {
        std::vector<std::string> paths;
        for (const auto& name : names)
            paths.push_back("/p/" + name + ".jpg");
        list.fill(paths, posixPathRule);
    }

    std::vector<std::string> column(int col) const {
        std::vector<std::string> texts;
        for (int row = 1; row < list.RowCount(); ++row)
            texts.push_back(list.getCell(col, row));
        return texts;
    }

    void setRows(const Rows& rows) {
        list.setRowCount(static_cast<int>(rows.size()) + 1);
        for (size_t r = 0; r < rows.size(); ++r) {
            for (size_t c = 0; c < rows[r].size(); ++c)
                list.setCell(static_cast<int>(c) + 1, static_cast<int>(r) + 1, rows[r][c]);
        }
    }

    RenameList list;
    int sortEvents = 0;
    int failingRow = -1;
    std::vector<std::pair<int, int>> announced;
};

TEST_F(RenameListTest, StartStateHasHeaderAndOneEmptyRow) {
    EXPECT_EQ(list.RowCount(), 2);
    const std::vector<std::string> headers{"",     "序号", "原名称",  "新名称",
                                           "后缀", "目录", "处理结果"};
    for (int c = 0; c < RenameList::ColCount; ++c) {
        EXPECT_EQ(list.getCell(c, 0), headers[static_cast<size_t>(c)]);
        EXPECT_EQ(list.getCell(c, 1), "");
    }
    EXPECT_EQ(list.currentCell(), (CellCoord{1, 1}));
    EXPECT_FALSE(list.editingEnabled());
    EXPECT_FALSE(list.rowIndicatorLoaded());
    EXPECT_EQ(list.sortSettings().Column, 0);
}

TEST_F(RenameListTest, FillSplitsPathsAndNumbersRows) {
    list.fill({"D:\\pics\\a.jpg", "D:\\pics\\b.tar.gz", "D:\\pics\\README"}, windowsGbkPathRule);
    ASSERT_EQ(list.RowCount(), 4);
    const Rows expected{{"1", "a", "", ".jpg", "D:\\pics\\"},
                        {"2", "b.tar", "", ".gz", "D:\\pics\\"},
                        {"3", "README", "", "", "D:\\pics\\"}};
    for (int row = 1; row <= 3; ++row) {
        for (int col = 1; col <= 5; ++col)
            EXPECT_EQ(list.getCell(col, row),
                      expected[static_cast<size_t>(row - 1)][static_cast<size_t>(col - 1)])
                << "row " << row << " column " << col;
    }
    EXPECT_EQ(list.oldPath(2), "D:\\pics\\b.tar.gz");
    EXPECT_TRUE(list.rowIndicatorLoaded());
}

TEST_F(RenameListTest, FillEmptiesOldResultWordsAndNewNames) {
    fillNames({"a", "b", "c", "d", "e"});
    for (int row = 1; row <= 5; ++row) {
        list.setCell(RenameList::NewName, row, "n" + std::to_string(row));
        list.setCell(RenameList::Result, row, "成功");
    }
    fillNames({"x", "y", "z"});
    EXPECT_EQ(column(RenameList::Result), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(column(RenameList::NewName), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(column(RenameList::OldName), (std::vector<std::string>{"x", "y", "z"}));
}

TEST_F(RenameListTest, CellsSurviveALowerRowCount) {
    fillNames({"a", "b", "c"});
    list.setCell(RenameList::Result, 3, "kept");
    list.setRowCount(2);
    EXPECT_EQ(list.getCell(RenameList::OldName, 3), "c");
    list.setRowCount(4);
    EXPECT_EQ(list.getCell(RenameList::Result, 3), "kept");
    EXPECT_EQ(list.getCell(RenameList::OldName, 3), "c");
}

TEST_F(RenameListTest, EmptyFillLeavesOnlyTheHeaderRow) {
    fillNames({"a", "b"});
    ASSERT_TRUE(list.requestCell(3, 2));
    announced.clear();
    list.fill({}, posixPathRule);
    EXPECT_EQ(list.RowCount(), 1);
    EXPECT_EQ(list.getCell(1, 0), "序号");
    list.renumberColumn(RenameList::Number);
    EXPECT_EQ(list.getCell(1, 0), "序号");
    list.headerClick(2);
    EXPECT_EQ(sortEvents, 0);
    EXPECT_EQ(list.currentCell().row, 1);
    EXPECT_TRUE(announced.empty());
}

TEST_F(RenameListTest, ShorterFillPullsTheCurrentRowAndAnnouncesIt) {
    fillNames({"a", "b", "c", "d", "e"});
    ASSERT_TRUE(list.requestCell(3, 5));
    announced.clear();
    fillNames({"x", "y", "z"});
    EXPECT_EQ(list.currentCell(), (CellCoord{3, 3}));
    EXPECT_EQ(announced, (std::vector<std::pair<int, int>>{{5, 3}}));
    announced.clear();
    fillNames({"p", "q", "r", "s"});
    EXPECT_TRUE(announced.empty());
}

TEST_F(RenameListTest, RenumberWritesPlainRowNumbers) {
    fillNames({"a", "b", "c"});
    list.renumberColumn(RenameList::Result);
    EXPECT_EQ(column(RenameList::Result), (std::vector<std::string>{"1", "2", "3"}));
}

struct SortCase {
    const char* name;
    Rows rows;               // columns 1.. of each file row
    std::vector<int> clicks; // header clicks in order
    std::vector<std::string> expectedOldNames;
};

class RenameListSortTest : public RenameListTest, public ::testing::WithParamInterface<SortCase> {};

TEST_P(RenameListSortTest, SortsAndRenumbers) {
    const SortCase& c = GetParam();
    setRows(c.rows);
    list.renumberColumn(RenameList::Number);
    for (int click : c.clicks)
        list.headerClick(click);
    EXPECT_EQ(column(RenameList::OldName), c.expectedOldNames);
    std::vector<std::string> numbers;
    for (size_t i = 1; i <= c.rows.size(); ++i)
        numbers.push_back(std::to_string(i));
    EXPECT_EQ(column(RenameList::Number), numbers);
    EXPECT_EQ(sortEvents, static_cast<int>(c.clicks.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RenameListSortTest,
    ::testing::Values(
        SortCase{"NumbersCompareAsNumbers",
                 {{"", "10"}, {"", "9"}, {"", "100"}},
                 {2},
                 {"9", "10", "100"}},
        SortCase{"TextsCompareByteWise",
                 {{"", "IMG2"}, {"", "IMG10"}, {"", "img1"}},
                 {2},
                 {"IMG10", "IMG2", "img1"}},
        SortCase{"SecondClickDescends", {{"", "b"}, {"", "c"}, {"", "a"}}, {2, 2}, {"c", "b", "a"}},
        SortCase{"OtherColumnAscendsAgain",
                 {{"", "b", "", ".z"}, {"", "c", "", ".a"}, {"", "a", "", ".m"}},
                 {2, 2, 4},
                 {"c", "a", "b"}},
        SortCase{"TiesBrokenToTheRight",
                 {{"", "same", "", ".jpg", "/b/"},
                  {"", "same", "", ".jpg", "/a/"},
                  {"", "same", "", ".bmp", "/c/"}},
                 {2},
                 {"same", "same", "same"}},
        SortCase{"FirstClickOnColumnZeroReverses",
                 {{"", "a"}, {"", "b"}, {"", "c"}, {"", "d"}},
                 {0},
                 {"d", "c", "b", "a"}},
        SortCase{"SecondClickOnColumnZeroKeepsOrder",
                 {{"", "a"}, {"", "b"}, {"", "c"}},
                 {0, 0},
                 {"c", "b", "a"}},
        SortCase{"NegativeAndDecimalNumbers",
                 {{"", "1.5"}, {"", "-2"}, {"", "0"}},
                 {2},
                 {"-2", "0", "1.5"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RenameListTest, TiesAreOrderedByLaterColumns) {
    setRows({{"", "same", "", ".jpg", "/b/"},
             {"", "same", "", ".jpg", "/a/"},
             {"", "same", "", ".bmp", "/c/"}});
    list.headerClick(2);
    EXPECT_EQ(column(RenameList::Directory), (std::vector<std::string>{"/c/", "/a/", "/b/"}));
}

TEST_F(RenameListTest, OneFileRowIsNeverSorted) {
    fillNames({"only"});
    list.setCell(RenameList::Number, 1, "7");
    list.headerClick(2);
    EXPECT_EQ(sortEvents, 0);
    EXPECT_EQ(list.getCell(RenameList::Number, 1), "7");
    EXPECT_EQ(list.sortSettings().Column, 0);
}

TEST_F(RenameListTest, SortKeepsTheCurrentCellNumbers) {
    fillNames({"c", "a", "b"});
    ASSERT_TRUE(list.requestCell(3, 2));
    announced.clear();
    list.headerClick(2);
    EXPECT_EQ(list.currentCell(), (CellCoord{3, 2}));
    EXPECT_TRUE(announced.empty());
}

struct CompareCase {
    const char* name;
    std::string a;
    std::string b;
    int expected;
    LocaleFormat locale;
};

class CompareCellsTest : public ::testing::TestWithParam<CompareCase> {};

TEST_P(CompareCellsTest, ChoosesTheKindFromTheFirstText) {
    const CompareCase& c = GetParam();
    RenameList list;
    list.setLocale(c.locale);
    list.setCell(2, 1, c.a);
    list.setCell(2, 2, c.b);
    EXPECT_EQ(list.compareCells(2, 1, 2), c.expected);
}

const LocaleFormat dot{};
const LocaleFormat comma{',', '.', '/', DateOrder::DayMonthYear};

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareCellsTest,
    ::testing::Values(CompareCase{"Numbers", "10", "9", 1, dot},
                      CompareCase{"NumberEqualToEmpty", "0", "", 0, dot},
                      CompareCase{"NegativeNumber", "-3", "2", -1, dot},
                      CompareCase{"DecimalWithLocaleComma", "1,5", "1,25", 1, comma},
                      CompareCase{"NumberAgainstText", "5", "abc", 1, dot},
                      CompareCase{"NeitherConverts", "1,000", "2,000", 0, dot},
                      CompareCase{"DotGroupingDoesNotConvert", "1.500", "1.234", 0, comma},
                      CompareCase{"DotIsNoDecimalWhereCommaIs", "0.5", "0,4", -1, comma},
                      CompareCase{"TwoMinusIsText", "1-2-3", "1-2-4", -1, dot},
                      CompareCase{"TextBytesUnsigned", "a", "\xE6\xA0\xB7", -1, dot},
                      CompareCase{"TextCaseCounts", "B", "a", -1, dot},
                      CompareCase{"TextPrefixIsSmaller", "IMG", "IMG1", -1, dot},
                      CompareCase{"EqualTexts", "x", "x", 0, dot},
                      CompareCase{"DatesInLocaleOrder", "02/01/2024", "01/02/2024", -1, comma},
                      CompareCase{"DateAgainstEmpty", "1/2/2024", "", 1, comma},
                      CompareCase{"SlashTooLateIsText", "2024/01/02", "2024/01/03", -1, comma},
                      CompareCase{"DateWithTime", "01/02/2024 10:00", "01/02/2024 09:30", 1,
                                  comma}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RenameListTest, OnlyNewNameCellsOfFileRowsAreEditable) {
    fillNames({"a", "b"});
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < RenameList::ColCount; ++col) {
            const bool editable = row > 0 && col == 3;
            EXPECT_EQ(list.isFixedCell(col, row), !editable) << row << "," << col;
            EXPECT_EQ(list.canEditCell(col, row), editable) << row << "," << col;
        }
    }
}

TEST_F(RenameListTest, ClickOnFixedCellOfAnotherRowAnnouncesButStays) {
    fillNames({"a", "b", "c", "d"});
    ASSERT_TRUE(list.requestCell(3, 2));
    EXPECT_TRUE(list.editingEnabled());
    announced.clear();
    EXPECT_FALSE(list.requestCell(5, 4));
    EXPECT_EQ(announced, (std::vector<std::pair<int, int>>{{2, 4}}));
    EXPECT_EQ(list.currentCell(), (CellCoord{3, 2}));
    EXPECT_FALSE(list.editingEnabled());
}

TEST_F(RenameListTest, NoAnnouncementWithinTheRowOrOnFixedRowAndColumn) {
    fillNames({"a", "b"});
    ASSERT_TRUE(list.requestCell(3, 1));
    announced.clear();
    list.requestCell(2, 1);
    list.requestCell(0, 2);
    list.requestCell(3, 0);
    EXPECT_TRUE(announced.empty());
}

TEST_F(RenameListTest, StartRowCanBeEditedAndIsAnnouncedFromAnotherRow) {
    ASSERT_TRUE(list.requestCell(3, 1));
    EXPECT_TRUE(list.editingEnabled());
    EXPECT_TRUE(announced.empty());
    fillNames({"a", "b"});
    list.requestCell(3, 2);
    announced.clear();
    list.requestCell(3, 1);
    EXPECT_EQ(announced, (std::vector<std::pair<int, int>>{{2, 1}}));
}

TEST_F(RenameListTest, WheelStepsStopAtFirstAndLastRow) {
    fillNames({"a", "b", "c"});
    ASSERT_TRUE(list.requestCell(3, 1));
    announced.clear();
    list.wheelStep(-1);
    EXPECT_TRUE(announced.empty());
    list.wheelStep(1);
    list.wheelStep(1);
    list.wheelStep(1);
    EXPECT_EQ(announced, (std::vector<std::pair<int, int>>{{1, 2}, {2, 3}}));
    EXPECT_EQ(list.currentCell(), (CellCoord{3, 3}));
}

TEST_F(RenameListTest, KeysMoveWithinTheFileRows) {
    fillNames({"a", "b", "c", "d", "e"});
    ASSERT_TRUE(list.requestCell(3, 2));
    list.moveRows(10);
    EXPECT_EQ(list.currentCell().row, 5);
    list.moveRows(-1);
    EXPECT_EQ(list.currentCell().row, 4);
    list.moveRows(-10);
    EXPECT_EQ(list.currentCell().row, 1);
}

TEST_F(RenameListTest, HandlerErrorEndsTheMoveWithTheCurrentCellInPlace) {
    fillNames({"a", "b", "c"});
    ASSERT_TRUE(list.requestCell(3, 1));
    failingRow = 3;
    EXPECT_THROW(list.requestCell(3, 3), std::runtime_error);
    EXPECT_EQ(list.currentCell(), (CellCoord{3, 1}));
    EXPECT_THROW(list.moveRows(2), std::runtime_error);
    EXPECT_EQ(list.currentCell(), (CellCoord{3, 1}));
}

} // namespace
} // namespace quorbel
