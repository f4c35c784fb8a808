// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/utf8encode.h"

#include <gtest/gtest.h>

#include <string>

namespace quorbel {
namespace {

struct EncodeCase {
    const char* name;
    char32_t code;
    std::string bytes;
};

class Utf8Encode : public ::testing::TestWithParam<EncodeCase> {};

// Each length of sequence at both of its ends, and what is no character.
TEST_P(Utf8Encode, WritesTheShortestSequence) {
    std::string out = "x";
    appendUtf8(out, GetParam().code);
    EXPECT_EQ(out, "x" + GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Encode,
    ::testing::Values(EncodeCase{"Nul", 0x0, std::string("\0", 1)},
                      EncodeCase{"LastOneByte", 0x7F, "\x7F"},
                      EncodeCase{"FirstTwoBytes", 0x80, "\xC2\x80"},
                      EncodeCase{"LastTwoBytes", 0x7FF, "\xDF\xBF"},
                      EncodeCase{"FirstThreeBytes", 0x800, "\xE0\xA0\x80"},
                      EncodeCase{"Chinese", 0x4E2D, "\xE4\xB8\xAD"},
                      EncodeCase{"BeforeTheSurrogates", 0xD7FF, "\xED\x9F\xBF"},
                      EncodeCase{"HighSurrogate", 0xD83D, "\xEF\xBF\xBD"},
                      EncodeCase{"LowSurrogate", 0xDFFF, "\xEF\xBF\xBD"},
                      EncodeCase{"AfterTheSurrogates", 0xE000, "\xEE\x80\x80"},
                      EncodeCase{"LastThreeBytes", 0xFFFF, "\xEF\xBF\xBF"},
                      EncodeCase{"FirstFourBytes", 0x10000, "\xF0\x90\x80\x80"},
                      EncodeCase{"Emoji", 0x1F600, "\xF0\x9F\x98\x80"},
                      EncodeCase{"LastCharacter", 0x10FFFF, "\xF4\x8F\xBF\xBF"},
                      EncodeCase{"BeyondUnicode", 0x110000, "\xEF\xBF\xBD"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorbel
