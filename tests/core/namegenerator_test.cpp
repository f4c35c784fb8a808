// SPDX-License-Identifier: GPL-3.0-or-later
#include "countingobserver.h"
#include "numbering/integerreading.h"
#include "numbering/namegenerator.h"
#include "renamelist/renamelist.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>
#include <vector>

namespace quorbel {
namespace {

std::vector<std::string> namesOf(const std::vector<NumberedName>& names) {
    std::vector<std::string> texts;
    for (const NumberedName& entry : names)
        texts.push_back(entry.name);
    return texts;
}

std::vector<std::string> sequence(const std::string& prefix, int from, int to, int width) {
    std::vector<std::string> texts;
    for (int n = from; n <= to; ++n)
        texts.push_back(prefix + paddedNumber(n, static_cast<size_t>(width)));
    return texts;
}

struct GeneratorCase {
    const char* name;
    std::string prefix;
    std::string startText;
    int increment;
    int rows;
    std::vector<std::string> expected;
};

void PrintTo(const GeneratorCase& c, std::ostream* os) {
    *os << c.name;
}

class NameGeneratorTest : public ::testing::TestWithParam<GeneratorCase> {};

TEST_P(NameGeneratorTest, WritesPrefixAndPaddedCounterFromRowOne) {
    const GeneratorCase& c = GetParam();
    const auto names = generateNames({c.prefix, c.startText, c.increment, 1, c.rows, c.rows});
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(namesOf(*names), c.expected);
    for (size_t i = 0; i < names->size(); ++i)
        EXPECT_EQ((*names)[i].row, static_cast<int>(i) + 1);
}

// The callers trim prefix and start text; the trimmed forms are given here.
INSTANTIATE_TEST_SUITE_P(
    Cases, NameGeneratorTest,
    ::testing::Values(
        GeneratorCase{"ZeroOneOverFiveRows", "B", "01", 1, 5, {"B01", "B02", "B03", "B04", "B05"}},
        GeneratorCase{"ZeroOneOver120RowsNeverCut", "B", "01", 1, 120, sequence("B", 1, 120, 2)},
        GeneratorCase{"ThreeWide", "B", "007", 1, 4, {"B007", "B008", "B009", "B010"}},
        GeneratorCase{"NineGrowsPastWidth", "B", "9", 1, 3, {"B9", "B10", "B11"}},
        GeneratorCase{"ZeroOverEleven", "B", "0", 1, 11, sequence("B", 0, 10, 1)},
        GeneratorCase{"NegativeStart", "B", "-3", 1, 5, {"B-3", "B-2", "B-1", "B00", "B01"}},
        GeneratorCase{
            "ZerosInFrontOfSign", "B", "-03", 1, 5, {"B0-3", "B0-2", "B0-1", "B000", "B001"}},
        GeneratorCase{"PlusSignCountsInWidth", "B", "+5", 1, 2, {"B05", "B06"}},
        GeneratorCase{"DollarHex", "B", "$A", 1, 2, {"B10", "B11"}},
        GeneratorCase{"ZeroXHexWidthFour", "B", "0x0A", 1, 2, {"B0010", "B0011"}},
        GeneratorCase{"TrimmedTwelve", "B", "12", 1, 2, {"B12", "B13"}},
        GeneratorCase{"IncrementThree", "B", "01", 3, 3, {"B01", "B04", "B07"}},
        GeneratorCase{"EmptyPrefix", "", "01", 1, 3, {"01", "02", "03"}},
        GeneratorCase{"PrefixWithInnerBlank", "A B", "01", 1, 2, {"A B01", "A B02"}},
        GeneratorCase{"NegativeIncrement", "B", "02", -1, 4, {"B02", "B01", "B00", "B-1"}},
        GeneratorCase{
            "HexAllOnesIsMinusOne", "B", "$FFFFFFFF", 1, 2, {"B0000000-1", "B000000000"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NameGeneratorInputTest, CallerTrimsBlanksAroundStartAndPrefix) {
    // The width is taken after trimming: " 12 " numbers like "12".
    const auto names = generateNames({trimmed(" A B "), trimmed(" 12 "), 1, 1, 2, 2});
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(namesOf(*names), (std::vector<std::string>{"A B12", "A B13"}));
}

class StartNotIntegerTest : public ::testing::TestWithParam<const char*> {};

TEST_P(StartNotIntegerTest, GivesNoNamesAtAll) {
    EXPECT_FALSE(generateNames({"B", GetParam(), 1, 1, 5, 5}).has_value());
}

INSTANTIATE_TEST_SUITE_P(Texts, StartNotIntegerTest,
                         ::testing::Values("", "abc", "1 2", "12a", "12345678901", "2147483648",
                                           "-2147483649", "$100000000", "0x", "-$A", "1.5"));

TEST(NameGeneratorRangeTest, OneRowRangeWritesExactlyThatRow) {
    const auto names = generateNames({"B", "01", 1, 4, 4, 10});
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(*names, (std::vector<NumberedName>{{4, "B01"}}));
}

TEST(NameGeneratorRangeTest, RowsOutsideTheListAdvanceTheCounterButAreLeftOut) {
    const auto names = generateNames({"B", "01", 1, -1, 5, 3});
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(*names, (std::vector<NumberedName>{{1, "B03"}, {2, "B04"}, {3, "B05"}}));
}

TEST(NameGeneratorRangeTest, ReversedRangeOrEmptyListWritesNothing) {
    EXPECT_TRUE(generateNames({"B", "01", 1, 5, 2, 10})->empty());
    EXPECT_TRUE(generateNames({"B", "01", 1, 1, 1, 0})->empty());
}

TEST(NameGeneratorRangeTest, HugeTypedRangeOnlyVisitsTheListRows) {
    // The counter still steps once per row of the range before row 1.
    const auto names = generateNames({"B", "0", 2, INT_MIN, INT_MAX, 2});
    ASSERT_TRUE(names.has_value());
    // 2^31 + 1 rows lie before row 1; 2 * (2^31 + 1) wraps to 2.
    EXPECT_EQ(namesOf(*names), (std::vector<std::string>{"B2", "B4"}));
}

TEST(NameGeneratorWrapTest, CounterWrapsAroundAtTheTopOfThe32BitRange) {
    const auto names = generateNames({"B", "2147483646", 1, 1, 3, 3});
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(namesOf(*names),
              (std::vector<std::string>{"B2147483646", "B2147483647", "B-2147483648"}));
    const auto big = generateNames({"B", "2147483647", 10000, 1, 2, 2});
    EXPECT_EQ(namesOf(*big), (std::vector<std::string>{"B2147483647", "B-2147473649"}));
}

struct ReadCase {
    const char* name;
    std::string text;
    std::optional<std::int32_t> value;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class IntegerReadingTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IntegerReadingTest, ReadsTheGrammar) {
    EXPECT_EQ(readInteger(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntegerReadingTest,
    ::testing::Values(
        ReadCase{"Plain", "42", 42}, ReadCase{"Plus", "+7", 7}, ReadCase{"Minus", "-7", -7},
        ReadCase{"LeadingBlanks", "   12", 12}, ReadCase{"TrailingBlank", "12 ", std::nullopt},
        ReadCase{"Max", "2147483647", INT_MAX}, ReadCase{"Min", "-2147483648", INT_MIN},
        ReadCase{"AboveMax", "2147483648", std::nullopt},
        ReadCase{"ManyLeadingZeros", "000000000000001", 1},
        ReadCase{"SignAlone", "-", std::nullopt}, ReadCase{"Empty", "", std::nullopt},
        ReadCase{"Dollar", "$ff", 255}, ReadCase{"SmallX", "x10", 16}, ReadCase{"BigX", "X10", 16},
        ReadCase{"ZeroSmallX", "0x7FFFFFFF", INT_MAX}, ReadCase{"ZeroBigX", "0X80000000", INT_MIN},
        ReadCase{"AllOnes", "$FFFFFFFF", -1}, ReadCase{"NineHexDigitsWithZero", "$0FFFFFFFF", -1},
        ReadCase{"HexTooBig", "$100000000", std::nullopt},
        ReadCase{"PrefixAlone", "$", std::nullopt}, ReadCase{"SignedHex", "-$1", std::nullopt},
        ReadCase{"HexLetterInDecimal", "1A", std::nullopt},
        ReadCase{"BadHexDigit", "$G", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

using test::CountingObserver;

TEST(WriteNewNamesTest, WritesOnlyColumnThreeInOneBatch) {
    RenameList list;
    list.fill({"/d/a.jpg", "/d/b.jpg", "/d/c.jpg"}, posixPathRule);
    list.setCell(RenameList::Result, 2, "成功");
    CountingObserver observer;
    list.setObserver(&observer);
    writeNewNames(list, {{2, "B01"}, {3, "B02"}});
    EXPECT_EQ(observer.changes, 1);
    EXPECT_EQ(list.getCell(RenameList::NewName, 1), "");
    EXPECT_EQ(list.getCell(RenameList::NewName, 2), "B01");
    EXPECT_EQ(list.getCell(RenameList::NewName, 3), "B02");
    EXPECT_EQ(list.getCell(RenameList::OldName, 2), "b");
    EXPECT_EQ(list.getCell(RenameList::Result, 2), "成功");
    EXPECT_EQ(list.getCell(RenameList::Number, 3), "3");
}

} // namespace
} // namespace quorbel
