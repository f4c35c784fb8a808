// SPDX-License-Identifier: GPL-3.0-or-later
#include "countingobserver.h"
#include "mapping/applymapping.h"
#include "mapping/mappinglookup.h"
#include "renamelist/renamelist.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

namespace quorbel {
namespace {

SheetCell text(const char* value) {
    return {SheetCell::Type::Text, value, 0};
}
SheetCell number(double value) {
    return {SheetCell::Type::Number, "", value};
}
SheetCell date(double serial) {
    return {SheetCell::Type::Date, "", serial};
}
const SheetCell empty{};

// The rows of the shared "名单" fixture sheet, as a reader delivers them.
MappingTable sampleTable() {
    return MappingTable({"文件名", "新名", "编号", "序号 列", "日期"},
                        {
                            {text("IMG_0001"), text("B01"), number(1), number(7), date(45413)},
                            {text("O'Neil"), text("oneil"), number(1.5), number(12), date(45414)},
                            {text("样品"), text("样品新"), number(-3), number(101), date(45657)},
                            {text("dup"), text("first"), number(101), number(1), date(45658)},
                            {text("dup"), text("second"), number(1e15), number(2), date(45659)},
                            {empty, text("no-key"), number(5e-5), number(3), date(45660)},
                            {text("Sample1"), empty, number(1.5e20), number(4), date(45661)},
                        });
}

TEST(MappingTable, ColumnKindsFollowEveryNonEmptyCell) {
    const MappingTable table = sampleTable();
    EXPECT_EQ(table.kind(0), ColumnKind::Text);
    EXPECT_EQ(table.kind(2), ColumnKind::Number);
    EXPECT_EQ(table.kind(3), ColumnKind::Number);
    EXPECT_EQ(table.kind(4), ColumnKind::Date);
    const MappingTable mixed({"a", "b", "c"},
                             {{number(1), date(1), empty}, {text("x"), number(2)}});
    EXPECT_EQ(mixed.kind(0), ColumnKind::Text);
    EXPECT_EQ(mixed.kind(1), ColumnKind::Text);
    EXPECT_EQ(mixed.kind(2), ColumnKind::Text) << "a column without data counts as text";
}

TEST(MappingTable, CellsOutsideTheTableAreEmpty) {
    const MappingTable table = sampleTable();
    EXPECT_EQ(table.columnIndex("序号 列"), 3);
    EXPECT_EQ(table.columnIndex("序号"), -1);
    EXPECT_EQ(table.cell(99, 0).type, SheetCell::Type::Empty);
    EXPECT_EQ(table.cell(0, 9).type, SheetCell::Type::Empty);
    EXPECT_EQ(table.cell(0, -1).type, SheetCell::Type::Empty);
    const MappingTable sparse({"a", "b"}, std::vector<std::vector<PlacedCell>>{
                                              {{5, text("dropped")}, {1, text("kept")}}});
    EXPECT_EQ(sparse.cell(0, 1).text, "kept");
    EXPECT_EQ(sparse.cell(0, 0).type, SheetCell::Type::Empty);
}

struct LookupCase {
    const char* name;
    const char* column;
    std::string key;
    std::optional<size_t> row;
};

class MappingLookupTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(MappingLookupTest, FindsFirstMatchingRowByColumnKind) {
    const MappingTable table = sampleTable();
    const MappingLookup lookup(table, table.columnIndex(GetParam().column), LocaleFormat{});
    EXPECT_EQ(lookup.find(GetParam().key), GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MappingLookupTest,
    ::testing::Values(LookupCase{"TextExact", "文件名", "IMG_0001", 0},
                      LookupCase{"TextIgnoringCase", "文件名", "img_0001", 0},
                      LookupCase{"TextNotTrimmed", "文件名", "IMG_0001 ", std::nullopt},
                      LookupCase{"Apostrophe", "文件名", "O'Neil", 1},
                      LookupCase{"Chinese", "文件名", "样品", 2},
                      LookupCase{"DuplicateTakesFirst", "文件名", "dup", 3},
                      LookupCase{"EmptyKey", "文件名", "", std::nullopt},
                      LookupCase{"Missing", "文件名", "nothing", std::nullopt},
                      LookupCase{"NumberLeadingZeros", "序号 列", "007", 0},
                      LookupCase{"NumberNotALiteral", "序号 列", "abc", std::nullopt},
                      LookupCase{"NumberPlusSign", "序号 列", "+7", 0},
                      LookupCase{"NumberPlusFraction", "编号", "+.5E-4", 5},
                      LookupCase{"NumberPlusWithZeros", "编号", "+01.5", 1},
                      LookupCase{"NumberPlusAlone", "序号 列", "+", std::nullopt},
                      LookupCase{"NumberTwoSigns", "序号 列", "+-7", std::nullopt},
                      LookupCase{"NumberNegative", "编号", "-3", 2},
                      LookupCase{"NumberWithBlank", "序号 列", " 7", std::nullopt},
                      LookupCase{"NumberFraction", "编号", "1.50", 1},
                      LookupCase{"NumberExponent", "编号", "1E15", 4},
                      LookupCase{"NumberSmallExponent", "编号", "5E-5", 5},
                      LookupCase{"NumberEmptyKey", "编号", "", std::nullopt},
                      LookupCase{"DateIso", "日期", "2024-12-31", 2},
                      LookupCase{"DateShort", "日期", "2025/1/4", 6},
                      LookupCase{"DateNotADate", "日期", "May 1", std::nullopt},
                      LookupCase{"DateWithZeroTime", "日期", "2024-05-02 00.00.00", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MappingLookup, ExactMatchWinsOverEarlierCaseVariant) {
    const MappingTable table({"k"}, {{text("ABC")}, {text("abc")}});
    const MappingLookup lookup(table, 0, LocaleFormat{});
    EXPECT_EQ(lookup.find("abc"), 1u);
    EXPECT_EQ(lookup.find("Abc"), 0u);
}

TEST(MappingLookup, NumberCellsInTextColumnMatchByTheirText) {
    const MappingTable table({"k"}, {{text("a")}, {number(101)}, {number(1.5)}});
    const MappingLookup lookup(table, 0, LocaleFormat{});
    EXPECT_EQ(lookup.find("101"), 1u);
    EXPECT_EQ(lookup.find("1.5"), 2u);
    EXPECT_EQ(lookup.find("0101"), std::nullopt);
}

TEST(MappingLookup, ShortDateFollowsTheLocale) {
    const MappingTable table({"d"}, {{date(45413)}});
    const LocaleFormat dayFirst{',', '.', '.', DateOrder::DayMonthYear};
    EXPECT_EQ(MappingLookup(table, 0, dayFirst).find("01.05.2024"), 0u);
    EXPECT_EQ(MappingLookup(table, 0, dayFirst).find("2024/05/01"), std::nullopt);
}

TEST(MappingLookup, NumberKeysUseTheLocaleSeparators) {
    const MappingTable table({"n"}, {{number(1.5)}, {number(1500)}});
    const MappingLookup lookup(table, 0, LocaleFormat{',', '.', '.', DateOrder::DayMonthYear});
    EXPECT_EQ(lookup.find("1,5"), 0u);
    EXPECT_EQ(lookup.find("+1,5"), 0u);
    EXPECT_EQ(lookup.find("1.500"), std::nullopt) << "a grouped number is no literal";
    EXPECT_EQ(lookup.find("1.5"), std::nullopt);
}

class ApplyMappingTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.setRowCount(7);
        const char* names[] = {"IMG_0001", "O'Neil", "dup", "dup", "unknown", ""};
        for (int row = 1; row < 7; ++row) {
            list.setCell(RenameList::OldName, row, names[row - 1]);
            list.setCell(RenameList::NewName, row, "kept");
        }
    }
    RenameList list;
    MappingTable table = sampleTable();
};

TEST_F(ApplyMappingTest, WritesValuesOfMatchedRowsAndCountsMatches) {
    const int matches = applyMapping(list, table, 0, 1, LocaleFormat{});
    EXPECT_EQ(matches, 4);
    EXPECT_EQ(list.getCell(RenameList::NewName, 1), "B01");
    EXPECT_EQ(list.getCell(RenameList::NewName, 2), "oneil");
    EXPECT_EQ(list.getCell(RenameList::NewName, 3), "first");
    EXPECT_EQ(list.getCell(RenameList::NewName, 4), "first");
    EXPECT_EQ(list.getCell(RenameList::NewName, 5), "kept") << "no match keeps the new name";
    EXPECT_EQ(list.getCell(RenameList::NewName, 6), "kept") << "an empty key never matches";
}

TEST_F(ApplyMappingTest, NumbersBecomeNamesInGeneralForm) {
    list.setCell(RenameList::OldName, 5, "Sample1");
    EXPECT_EQ(applyMapping(list, table, 0, 2, LocaleFormat{}), 5);
    EXPECT_EQ(list.getCell(RenameList::NewName, 1), "1");
    EXPECT_EQ(list.getCell(RenameList::NewName, 2), "1.5");
    EXPECT_EQ(list.getCell(RenameList::NewName, 5), "1.5E20");
    EXPECT_EQ(applyMapping(list, table, 0, 3, LocaleFormat{}), 5);
    EXPECT_EQ(list.getCell(RenameList::NewName, 3), "1");
}

TEST_F(ApplyMappingTest, EmptyValueCellClearsTheNameAndCounts) {
    list.setCell(RenameList::OldName, 5, "Sample1");
    EXPECT_EQ(applyMapping(list, table, 0, 1, LocaleFormat{}), 5);
    EXPECT_EQ(list.getCell(RenameList::NewName, 5), "");
}

TEST_F(ApplyMappingTest, MatchesCountEvenWhenNothingChanges) {
    applyMapping(list, table, 0, 1, LocaleFormat{});
    EXPECT_EQ(applyMapping(list, table, 0, 1, LocaleFormat{}), 4);
}

TEST_F(ApplyMappingTest, NumberKeyColumnReadsOldNamesAsLiterals) {
    list.setCell(RenameList::OldName, 1, "007");
    list.setCell(RenameList::OldName, 2, "abc");
    EXPECT_EQ(applyMapping(list, table, 3, 0, LocaleFormat{}), 1);
    EXPECT_EQ(list.getCell(RenameList::NewName, 1), "IMG_0001");
    EXPECT_EQ(list.getCell(RenameList::NewName, 2), "kept");
}

TEST_F(ApplyMappingTest, NoFileRowsMeansNoMatches) {
    list.setRowCount(1);
    EXPECT_EQ(applyMapping(list, table, 0, 1, LocaleFormat{}), 0);
}

TEST_F(ApplyMappingTest, ColumnsOutsideTheTableAreRefused) {
    EXPECT_THROW(applyMapping(list, table, -1, 1, LocaleFormat{}), std::invalid_argument);
    EXPECT_THROW(applyMapping(list, table, 0, 5, LocaleFormat{}), std::invalid_argument);
    EXPECT_EQ(list.getCell(RenameList::NewName, 1), "kept");
}

using test::CountingObserver;

TEST_F(ApplyMappingTest, AnnouncesOneBatch) {
    CountingObserver observer;
    list.setObserver(&observer);
    applyMapping(list, table, 0, 1, LocaleFormat{});
    EXPECT_EQ(observer.changes, 1);
}

} // namespace
} // namespace quorbel
