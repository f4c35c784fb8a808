// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/exporttext.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

struct CleaningCase {
    const char* name;
    std::string cell;
    std::string exported;
    bool replaced;
};

class ExportTextTest : public ::testing::TestWithParam<CleaningCase> {};

TEST_P(ExportTextTest, DropsCarriageReturnsAndReplacesInvalidBytes) {
    const CleaningCase& c = GetParam();
    const ExportText result = exportText(c.cell);
    EXPECT_EQ(result.text, c.exported);
    EXPECT_EQ(result.replaced, c.replaced);
    EXPECT_EQ(needsCleaning(c.cell), c.cell != c.exported);
}

const std::string fffd = "\xEF\xBF\xBD";

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportTextTest,
    ::testing::Values(
        CleaningCase{"plain", "IMG_0001", "IMG_0001", false}, CleaningCase{"empty", "", "", false},
        CleaningCase{"crlf", "a\r\nb\rc\n", "a\nbc\n", false},
        CleaningCase{"markup", "<b>x</b>&amp;", "<b>x</b>&amp;", false},
        CleaningCase{"chinese and emoji", "样品\xF0\x9F\x98\x80", "样品\xF0\x9F\x98\x80", false},
        // GBK "样品": the second character's bytes happen to be valid UTF-8.
        CleaningCase{"gbk bytes", "\xD1\xF9\xC6\xB7.jpg", fffd + fffd + "\xC6\xB7.jpg", true},
        CleaningCase{"lone continuation", "a\x80z", "a" + fffd + "z", true},
        CleaningCase{"cut sequence at end", "a\xE6\xA0", "a" + fffd + fffd, true},
        CleaningCase{"overlong slash", "\xC0\xAF", fffd + fffd, true},
        CleaningCase{"encoded surrogate", "\xED\xA0\x80", fffd + fffd + fffd, true},
        CleaningCase{"past U+10FFFF", "\xF4\x90\x80\x80", fffd + fffd + fffd + fffd, true},
        CleaningCase{"cr beside bad byte", "\r\xFF\r", fffd, true}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name)
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(ExportTextTest, CountsAndWritesUtf16CodeUnits) {
    const std::string text = "a样\xF0\x9F\x98\x80";
    EXPECT_EQ(utf16Length(text), 4u);
    std::u16string units;
    appendUtf16(text, units);
    EXPECT_EQ(units, (std::u16string{u'a', 0x6837, 0xD83D, 0xDE00}));
}

} // namespace
} // namespace quorbel
