// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/csvtext.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quorbel {
namespace {

using namespace std::string_literals;

struct CsvCase {
    const char* name;
    std::string bytes;
    bool oneColumnAllowed;
    std::optional<std::string> expected; // comma-separated UTF-8, or not a table
};

class CsvTextTest : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvTextTest, DecodesAndSeparatesWithCommas) {
    const CsvCase& c = GetParam();
    EXPECT_EQ(csvAsCommaSeparated(c.bytes, c.oneColumnAllowed), c.expected);
}

const std::string gbkSample = "\xD1\xF9\xC6\xB7"; // 样品 in GBK

INSTANTIATE_TEST_SUITE_P(
    Cases, CsvTextTest,
    ::testing::Values(
        CsvCase{"utf8_crlf", "a,b\r\n1,2\r\n", false, "a,b\n1,2\n"},
        CsvCase{"utf8_mark",
                "\xEF\xBB\xBF"
                "a,b\n",
                false, "a,b\n"},
        CsvCase{"semicolon_decimal_commas", "a;b\r\n1,5;-3,25\r\n", false,
                "a,b\n\"1,5\",\"-3,25\"\n"},
        CsvCase{"semicolon_quotes_kept", "a;b\n\"x;y\";\"say \"\"hi\"\"\"\n", false,
                "a,b\nx;y,\"say \"\"hi\"\"\"\n"},
        CsvCase{"semicolon_empty_fields", ";b;\n;;\n", false, ",b,\n,,\n"},
        CsvCase{"tab_quoted_line_end_in_first_line", "\"a\nb\"\tc,d\n", false,
                "\"a\nb\",\"c,d\"\n"},
        CsvCase{"utf16le_mark_tabs",
                "\xFF\xFE"
                "a\0\t\0"
                "7\x68\r\0\n\0"
                "1\0,\0"
                "5\0"s,
                false, "a,样\n\"1,5\""},
        CsvCase{"utf16be_mark_tabs", "\xFE\xFF\0a\0\t\0b"s, false, "a,b"},
        CsvCase{"gbk", gbkSample + ",b\r\n" + gbkSample + ",1\r\n", false, "样品,b\n样品,1\n"},
        CsvCase{"gb18030_two_and_four_bytes", "\xA8\xA6,\x95\x32\x82\x36\n", false, "é,𠀀\n"},
        CsvCase{"one_column_allowed", "名字\nSmith, John\n", true, "名字\n\"Smith, John\"\n"},
        CsvCase{"one_column_refused", "名字\n张三\n", false, std::nullopt},
        CsvCase{"control_bytes", "a,b\x01\n", true, std::nullopt},
        CsvCase{"nul_bytes", "a,b\0\n"s, true, std::nullopt},
        CsvCase{"utf16_odd_length",
                "\xFF\xFE"
                "a\0,\0b"s,
                true, std::nullopt},
        CsvCase{"utf16_lone_surrogate",
                "\xFF\xFE"
                "a\0,\0\x00\xD8"s,
                true, std::nullopt},
        CsvCase{"neither_utf8_nor_gb18030", "a,b\n\xFF\xFE\xFF\n", true, std::nullopt},
        CsvCase{"gb18030_cut_short", "a,b\n\x81", true, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct SeparatorCase {
    const char* name;
    const char* firstLines;
    char expected;
};

class SeparatorTest : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(SeparatorTest, ComesFromTheFirstLineOutsideQuotes) {
    EXPECT_EQ(detectSeparator(GetParam().firstLines), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SeparatorTest,
    ::testing::Values(SeparatorCase{"comma", "a,b,c", ','}, SeparatorCase{"semicolon", "a;b", ';'},
                      SeparatorCase{"tab", "a\tb", '\t'},
                      SeparatorCase{"most_fields_win", "a,b,c;d", ','},
                      SeparatorCase{"tie_prefers_semicolon", "Name, first;file", ';'},
                      SeparatorCase{"tie_prefers_tab", "Name, first\tfile;x", '\t'},
                      SeparatorCase{"quoted_commas_do_not_count", "\"a,b,c\";d", ';'},
                      SeparatorCase{"only_the_first_line", "a;b\r\n1,2,3,4", ';'},
                      SeparatorCase{"line_end_inside_quotes", "\"a\nb,c,d\";e", ';'},
                      SeparatorCase{"none", "name\na,b", '\0'}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorbel
