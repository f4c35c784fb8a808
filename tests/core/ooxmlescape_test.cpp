// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/ooxmlescape.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

struct EscapeCase {
    const char* name;
    std::string stored;
    std::string shown;
};

class OoxmlEscapeTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(OoxmlEscapeTest, ReadsAsExcelShowsIt) {
    EXPECT_EQ(decodeOoxmlEscapes(GetParam().stored), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OoxmlEscapeTest,
    ::testing::Values(EscapeCase{"Plain", "IMG_0001", "IMG_0001"},
                      EscapeCase{"EscapedUnderscoreIsNotDecodedAgain", "_x005F_x0000_", "_x0000_"},
                      EscapeCase{"ControlCharacter", "a_x000D_b", "a\rb"},
                      EscapeCase{"Nul", "_x0000_", std::string("\0", 1)},
                      EscapeCase{"ChineseAndLowerCaseHex", "_x4e2d__x6587_", "中文"},
                      EscapeCase{"SurrogatePair", "_xD83D__xDE00_", "\xF0\x9F\x98\x80"},
                      EscapeCase{"LoneSurrogate", "_xD83D_x",
                                 "\xEF\xBF\xBD"
                                 "x"},
                      EscapeCase{"TooFewDigits", "_x12_", "_x12_"},
                      EscapeCase{"NotHex", "_xZZZZ_", "_xZZZZ_"},
                      EscapeCase{"UnclosedAtTheEnd", "a_x0041", "a_x0041"},
                      EscapeCase{"UpperCaseXIsNoEscape", "_X0041_", "_X0041_"},
                      EscapeCase{"Adjacent", "_x0041__x0042_", "AB"}),
    [](const auto& info) { return std::string(info.param.name); });

// What is stored reads back as the text itself, whatever looks like an escape.
TEST(OoxmlEscape, StoredTextReadsBackUnchanged) {
    for (const std::string text :
         {"IMG_0001", "_x0041_", "_x005F_x0000_", "a__x00411_", "_x", "x_x0041_x0042_", "_xD83D_"})
        EXPECT_EQ(decodeOoxmlEscapes(escapeOoxmlText(text)), text) << text;
}

} // namespace
} // namespace quorbel
