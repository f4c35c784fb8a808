// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/patternlist.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

using Entries = std::vector<PatternEntry>;

struct ParseCase {
    const char* name;
    std::string text;
    Entries entries;
};

class ParsePatternListTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParsePatternListTest, ReadsCaptionPatternPairs) {
    const ParseCase& c = GetParam();
    EXPECT_EQ(parsePatternList(c.text), c.entries);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParsePatternListTest,
    ::testing::Values(ParseCase{"Empty", "", {}}, ParseCase{"CaptionOnlyIsLost", "图片", {}},
                      ParseCase{"OnePair", "Jpeg|*.jpg", {{"Jpeg", "*.jpg"}}},
                      ParseCase{"TwoPairs", "A|*.a;*.b|B|*.c", {{"A", "*.a;*.b"}, {"B", "*.c"}}},
                      ParseCase{"TrailingCaptionLost", "A|*.a|B", {{"A", "*.a"}}},
                      ParseCase{"EmptyPatternAtEnd", "A|", {{"A", ""}}},
                      ParseCase{"EmptyPatternInMiddle", "A||B|*.b", {{"A", ""}, {"B", "*.b"}}},
                      ParseCase{"EmptyCaption", "|*.x", {{"", "*.x"}}},
                      ParseCase{"CustomEntryAppended",
                                "A|*.a|自定义(*.ab1)|*.ab1",
                                {{"A", "*.a"}, {"自定义(*.ab1)", "*.ab1"}}},
                      ParseCase{
                          "EmptyCustomEntry", "A|*.a|自定义()|", {{"A", "*.a"}, {"自定义()", ""}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChooserPatternListTest, HoldsTheFifteenFilters) {
    const Entries entries = parsePatternList(chooserPatternList.text());
    ASSERT_EQ(entries.size(), 15u);
    EXPECT_EQ(entries[0],
              (PatternEntry{"图片文件", "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png;*.tif;*.gif"}));
    EXPECT_EQ(entries[1], (PatternEntry{"JPEG Image File (*.jpg)", "*.jpg"}));
    EXPECT_EQ(entries[6], (PatternEntry{"Metafiles (*.wmf)", "*.wmf"}));
    EXPECT_EQ(entries[7], (PatternEntry{"photoshop(*.png)", "*.png"}));
    EXPECT_EQ(entries[10], (PatternEntry{"测序图谱文件(*.ab1)", "*.ab1"}));
    EXPECT_EQ(entries[12], (PatternEntry{"文本文件(*.txt)", "*.txt"}));
    EXPECT_EQ(entries[14], (PatternEntry{"全部文件(*.*)", "*.*"}));
}

TEST(CustomEntryTextTest, TrimsTheTypedTextIntoCaptionAndPattern) {
    EXPECT_EQ(customEntryText(" *.ab1 "), "|自定义(*.ab1)|*.ab1");
    EXPECT_EQ(customEntryText("\t*.*;*.jpg\r\n"), "|自定义(*.*;*.jpg)|*.*;*.jpg");
    EXPECT_EQ(customEntryText("   "), "|自定义()|");
}

} // namespace
} // namespace quorbel
