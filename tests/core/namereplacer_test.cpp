// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/namereplacer.h"
#include "renamelist/renamelist.h"

#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <string>
#include <vector>

namespace quorbel {
namespace {

// One case of find and replace on one name: the new name, or nothing when the
// row stays as it is, or the start of the error the rule is refused with.
struct ReplaceCase {
    const char* name;
    ReplaceRule rule;
    std::string subject;
    std::optional<std::string> expected;
    std::string error = {};
};

ReplaceRule plain(std::string find, std::string replacement, bool ignoreCase = false) {
    return {std::move(find), std::move(replacement), false, ignoreCase};
}

ReplaceRule regex(std::string find, std::string replacement, bool ignoreCase = false) {
    return {std::move(find), std::move(replacement), true, ignoreCase};
}

const ReplaceCase replaceCases[] = {
    {"plain text, every occurrence", plain("IMG", "trip"), "IMG_0001_IMG", "trip_0001_trip"},
    {"plain text takes brackets and dollars literally", plain("(1)", "$1"), "a.b(1)", "a.b$1"},
    {"plain text is not an expression", plain("a.c", "x"), "abc", std::nullopt},
    {"plain text counts case unless told", plain("img", "trip"), "IMG_0001", std::nullopt},
    {"no match leaves the row", plain("DSC", "trip"), "IMG_0001", std::nullopt},
    {"an empty result", plain("IMG_0001", ""), "IMG_0001", ""},
    {"a group", regex(R"(IMG_(\d+))", "trip_$1"), "IMG_0001", "trip_0001"},
    {"a braced group before a digit", regex(R"((\d+))", "${1}0"), "a7", "a70"},
    {"groups swapped around CJK words", regex(R"((\w+)_(\d+))", "$2_$1"), "北京_01", "01_北京"},
    {"named groups", regex(R"((?<year>\d{4})-(?<month>\d\d))", "${month}.$year"), "2025-07 x",
     "07.2025 x"},
    {"a group that took no part is empty", regex("(a)|(b)", "[$2]"), "a", "[]"},
    {"a dollar sign written twice", regex("^", "$$"), "x", "$x"},
    {"an expression matching the empty start", regex("^", "trip_"), "0001", "trip_0001"},
    {"ignore case, Greek with final sigma", plain("οδος", "δρόμος", true), "ΟΔΟΣ_1", "δρόμος_1"},
    {"ignore case, Greek accented capitals", regex("σοφία", "x", true), "ΣΟΦΊΑ", "x"},
    {"ignore case, Cyrillic", plain("фото", "photo", true), "ФОТО_7", "photo_7"},
    {"ignore case, full-width Latin beside CJK", plain("照片ａ", "相片", true), "照片Ａ1", "相片1"},
    {"ignore case leaves CJK as it is", plain("照片", "相片", true), "我的照片", "我的相片"},
    {"case counts without the switch, Greek", plain("σοφία", "x"), "ΣΟΦΊΑ", std::nullopt},
    {"bad bytes stay, text around them matches", plain("IMG", "trip"),
     "IMG_\xff\xfe"
     "01",
     "trip_\xff\xfe"
     "01"},
    {"bad bytes stay, ignoring case", plain("img", "trip", true), "IMG\xc3", "trip\xc3"},
    {"a bad byte is no character to a dot", regex(".", "x"),
     "a\xff"
     "b",
     "x\xffx"},
    {"a whole-name expression misses a name with a bad byte", regex("^.*$", "x"),
     "a\x80"
     "b",
     std::nullopt},
    {"a bad expression: group not closed", regex(R"(IMG_(\d+)", "x"), "IMG_1", std::nullopt,
     "正则表达式末尾有误：缺少 )"},
    {"a bad expression: stray bracket", regex("a)b", "x"), "a", std::nullopt,
     "正则表达式第 2 个字符处有误：多了一个 )"},
    {"a bad expression: nothing to repeat, counted in characters", regex("照片*+*", "x"), "a",
     std::nullopt, "正则表达式第 5 个字符处有误：重复符号前面没有可以重复的内容"},
    {"a replacement naming a missing group", regex("(a)", "$2"), "a", std::nullopt,
     "替换内容第 1 个字符处有误：没有第 2 组"},
    {"a replacement naming a missing name", regex("(?<y>a)", "x${year}"), "a", std::nullopt,
     "替换内容第 2 个字符处有误：没有名为 year 的组"},
    {"a replacement with an unclosed brace", regex("(a)", "照${1"), "a", std::nullopt,
     "替换内容第 2 个字符处有误：缺少 }"},
    {"a replacement ending in a dollar", regex("(a)", "x$"), "a", std::nullopt,
     "替换内容第 2 个字符处有误：$ 后面应是组号、组名或 $"},
    {"an empty find text", plain("", "x"), "a", std::nullopt, "查找内容不能为空"},
    {"a find text that is not UTF-8", plain("\xff", "x"), "a", std::nullopt,
     "查找内容不是有效的 UTF-8 文本"},
};

class ReplaceTable : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTable, ReplacesOrRefusesTheRule) {
    const ReplaceCase& c = GetParam();
    if (!c.error.empty()) {
        try {
            NameReplacer replacer(c.rule);
            FAIL() << "accepted the rule";
        } catch (const ReplaceRuleError& error) {
            EXPECT_EQ(std::string(error.what()), c.error);
        }
        return;
    }
    NameReplacer replacer(c.rule);
    EXPECT_EQ(replacer.replace(c.subject), c.expected);
    // The replacer keeps no state from one name to the next.
    EXPECT_EQ(replacer.replace(c.subject), c.expected);
}

std::string testName(const ::testing::TestParamInfo<ReplaceCase>& info) {
    std::string name = info.param.name;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceTable, ::testing::ValuesIn(replaceCases), testName);

// Names longer than any first guess of the output's size, and bytes of every
// value around a match, come out whole.
TEST(NameReplacer, LongResultsAndEveryByteValueComeOutWhole) {
    NameReplacer widen(regex("(.)", "$1$1$1$1"));
    EXPECT_EQ(widen.replace(std::string(300, 'a')), std::string(1200, 'a'));
    NameReplacer mark(plain("x", "[x]"));
    for (int byte = 0; byte < 256; ++byte) {
        const std::string b(1, static_cast<char>(byte));
        const std::string expected = b == "x" ? "[x][x][x]" : "[x]" + b + "[x]";
        EXPECT_EQ(mark.replace("x" + b + "x"), expected) << byte;
    }
}

// The byte-wise rule the matcher must agree with for plain text: every
// occurrence, left to right, without overlap.
std::optional<std::string> replacedByteWise(const std::string& name, const std::string& find,
                                            const std::string& replacement) {
    std::string out;
    bool found = false;
    std::size_t from = 0;
    for (std::size_t at = name.find(find); at != std::string::npos; at = name.find(find, from)) {
        out.append(name, from, at - from).append(replacement);
        from = at + find.size();
        found = true;
    }
    if (!found)
        return std::nullopt;
    return out.append(name, from);
}

// Names of valid and broken UTF-8 alike: plain text finds exactly the bytes a
// byte-wise search finds, and every other byte stays.
TEST(NameReplacer, PlainTextInBrokenNamesMatchesAsBytesDo) {
    const std::vector<std::string> pieces{"a",
                                          "b",
                                          "é",
                                          "照",
                                          "😀",
                                          "\xff",
                                          "\x80",
                                          "\xc3",
                                          "\xe7\x85",
                                          "\xf0\x9f\x98",
                                          "\xed\xa0\x80",
                                          "\xc0\xaf"};
    const std::vector<std::string> finds{"a", "ab", "é", "照", "😀", "bé", "a照"};
    std::uint32_t state = 12345;
    const auto next = [&state](std::size_t bound) {
        state = state * 1664525u + 1013904223u;
        return static_cast<std::size_t>(state >> 8) % bound;
    };
    for (const std::string& find : finds) {
        NameReplacer replacer(plain(find, "<>"));
        for (int round = 0; round < 3000; ++round) {
            std::string name;
            for (std::size_t n = next(9); n > 0; --n)
                name += pieces[next(pieces.size())];
            ASSERT_EQ(replacer.replace(name), replacedByteWise(name, find, "<>"))
                << find << " in " << ::testing::PrintToString(name);
        }
    }
}

TEST(ReplaceNames, OnlyMatchedRowsInRowOrderAndTheStatusCountsThem) {
    RenameList list;
    list.fill({"/p/IMG_1.jpg", "/p/DSC_2.jpg", "/p/IMG.jpg", "/p/IMG_3.jpg"}, posixPathRule);
    NameReplacer replacer(regex("IMG_?", ""));
    const ReplacedNames result = replaceNames(list, replacer);
    ASSERT_EQ(result.names.size(), 3u);
    EXPECT_EQ(result.names[0], (NumberedName{1, "1"}));
    EXPECT_EQ(result.names[1], (NumberedName{3, ""}));
    EXPECT_EQ(result.names[2], (NumberedName{4, "3"}));
    EXPECT_EQ(result.emptied, 1);
    EXPECT_EQ(replacedStatusText(result), "查找替换 3 个文件, 其中 1 个新名称为空");
    EXPECT_EQ(replaceNames(list, replacer, 2).names.size(), 1u);
    EXPECT_EQ(replacedStatusText(replaceNames(list, replacer, 1)), "查找替换 1 个文件");
}

} // namespace
} // namespace quorbel
