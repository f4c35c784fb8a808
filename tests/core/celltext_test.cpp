// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/celltext.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

struct NumberCase {
    const char* name;
    double value;
    const char* text;
};

class NumberTextTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberTextTest, GeneralFormWithFifteenDigits) {
    EXPECT_EQ(numberText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberTextTest,
    ::testing::Values(NumberCase{"Integer", 101, "101"}, NumberCase{"Fraction", 1.5, "1.5"},
                      NumberCase{"Negative", -3, "-3"}, NumberCase{"Zero", 0, "0"},
                      NumberCase{"NegativeZero", -0.0, "0"},
                      NumberCase{"TenToTheFifteen", 1e15, "1E15"},
                      NumberCase{"LargeWithFraction", 1.5e20, "1.5E20"},
                      NumberCase{"Small", 5e-5, "5E-5"},
                      NumberCase{"SmallNegative", -1.25e-7, "-1.25E-7"},
                      NumberCase{"SmallestPositional", 0.0001, "0.0001"},
                      NumberCase{"LargestPositional", 999999999999999, "999999999999999"},
                      NumberCase{"RoundsUpIntoExponent", 999999999999999.9, "1E15"},
                      NumberCase{"FifteenDigitsKept", 0.1 + 0.2, "0.3"},
                      NumberCase{"ManyDigits", 123456789.123456789, "123456789.123457"},
                      NumberCase{"NoGrouping", 1234567, "1234567"},
                      NumberCase{"TrailingZerosDropped", 2.50, "2.5"},
                      NumberCase{"LargeNegative", -2.5e300, "-2.5E300"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NumberText, UsesTheLocaleDecimalSeparator) {
    EXPECT_EQ(numberText(1.5, ','), "1,5");
    EXPECT_EQ(numberText(1.5e20, ','), "1,5E20");
}

struct DateCase {
    const char* name;
    double serial;
    const char* text;
};

class DateTextTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateTextTest, IsoDateAndDottedTime) {
    EXPECT_EQ(dateText(GetParam().serial), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DateTextTest,
    ::testing::Values(DateCase{"Date", 45413, "2024-05-01"},
                      DateCase{"DateAndTime", 45413 + 0.5 + 1.0 / 86400, "2024-05-01 12.00.01"},
                      DateCase{"TimeOnly", 0.75, "18.00.00"},
                      DateCase{"RoundsToNextDay", 45413 + 0.999999999, "2024-05-02"},
                      DateCase{"BeforeEpoch", -1, "1899-12-29"},
                      DateCase{"OutOfRangeFallsBackToNumber", 1e9, "1000000000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CellText, EveryCellType) {
    const LocaleFormat locale;
    EXPECT_EQ(cellText({SheetCell::Type::Text, "O'Neil", 0}, locale), "O'Neil");
    EXPECT_EQ(cellText({SheetCell::Type::Number, "", 101}, locale), "101");
    EXPECT_EQ(cellText({SheetCell::Type::Date, "", 45413}, locale), "2024-05-01");
    EXPECT_EQ(cellText({SheetCell::Type::Boolean, "", 1}, locale), "TRUE");
    EXPECT_EQ(cellText({SheetCell::Type::Boolean, "", 0}, locale), "FALSE");
    EXPECT_EQ(cellText({}, locale), "");
}

} // namespace
} // namespace quorbel
