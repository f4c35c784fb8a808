// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/filemask.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace quorbel {
namespace {

TEST(SplitMaskTest, KeepsEveryPatternInOrderEmptyOnesIncluded) {
    using V = std::vector<std::string>;
    EXPECT_EQ(splitMask("*.jpg"), V{"*.jpg"});
    EXPECT_EQ(splitMask("*.jpg;*.jpeg;*.bmp"), (V{"*.jpg", "*.jpeg", "*.bmp"}));
    EXPECT_EQ(splitMask("*.*;*.jpg"), (V{"*.*", "*.jpg"}));
    EXPECT_EQ(splitMask(""), V{""});
    EXPECT_EQ(splitMask("*.a;"), (V{"*.a", ""}));
}

struct MatchCase {
    const char* name;
    std::string file;
    std::string pattern;
    bool matches;
};

class MatchesPatternTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchesPatternTest, AppliesWildcards) {
    const MatchCase& c = GetParam();
    EXPECT_EQ(matchesPattern(c.file, c.pattern), c.matches);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MatchesPatternTest,
    ::testing::Values(MatchCase{"StarExtension", "b.jpg", "*.jpg", true},
                      MatchCase{"CaseBlindName", "A.JPG", "*.jpg", true},
                      MatchCase{"CaseBlindPattern", "a.jpg", "*.JPG", true},
                      MatchCase{"OtherExtension", "d.png", "*.jpg", false},
                      MatchCase{"LongerExtension", "a.jpeg", "*.jpg", false},
                      MatchCase{"ExtensionIsSuffixOnly", "a.jpg.txt", "*.jpg", false},
                      MatchCase{"StarInMiddle", "IMG_0012.ab1", "IMG*.ab1", true},
                      MatchCase{"QuestionOneChar", "a1.seq", "a?.seq", true},
                      MatchCase{"QuestionNotTwoChars", "a12.seq", "a?.seq", false},
                      MatchCase{"QuestionNotZeroChars", "a.seq", "a?.seq", false},
                      MatchCase{"QuestionTakesWholeUtf8Char", "样.txt", "?.txt", true},
                      MatchCase{"StarDotStarAll", "x.mp3", "*.*", true},
                      MatchCase{"StarDotStarNoExtension", "README", "*.*", true},
                      MatchCase{"StarAlone", "README", "*", true},
                      MatchCase{"EmptyPatternMatchesNothing", "a.jpg", "", false},
                      MatchCase{"BacktracksOverRepeats", "aaab.jpg.jpg", "*a*b*.jpg", true},
                      MatchCase{"LiteralName", "Notes.TXT", "notes.txt", true},
                      MatchCase{"LiteralNameDiffers", "notes1.txt", "notes.txt", false},
                      MatchCase{"NonAsciiExact", "样品1.ab1", "样品*.ab1", true},
                      MatchCase{"GreekCaseBlind", "Ω.txt", "ω*", true},
                      MatchCase{"CyrillicCaseBlind", "ОТЧЁТ.TXT", "отчёт.txt", true},
                      MatchCase{"AccentedCaseBlind", "ÄRGER.jpg", "ä*.JPG", true},
                      MatchCase{"FullwidthCaseBlind", "ＡＢ.txt", "ａｂ.txt", true},
                      MatchCase{"SigmaFormsMeet", "ΟΔΟΣ.txt", "οδος.txt", true},
                      MatchCase{"OtherLetterStillDiffers", "Ψ.txt", "ω*", false},
                      MatchCase{"StrayByteMatchesItself", "a\xFF.txt", "a\xFF.txt", true},
                      MatchCase{"StrayByteIsOneCharacter", "a\xFF.txt", "a?.txt", true},
                      MatchCase{"StrayByteIsNoLetter", "a\xC3.txt", "a\xC3\xA4.txt", false}),
    [](const auto& info) { return std::string(info.param.name); });

// The window sets the process locale and the command line may not; folding
// must not follow it.
TEST(MatchesPatternLocaleTest, FoldsTheSameUnderThePlainCLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "C");
    EXPECT_TRUE(matchesPattern("Ω.txt", "ω*"));
    EXPECT_TRUE(matchesPattern("样.TXT", "?.txt"));
    std::setlocale(LC_ALL, previous.c_str());
}

} // namespace
} // namespace quorbel
