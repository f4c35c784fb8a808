// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/datepattern.h"

#include "global/coretext.h"

#include <cstdio>

namespace quorbel {
namespace {

constexpr std::string_view codes = "YmdHMS";

// "第 n 个字符处" for a byte offset into a UTF-8 text.
std::string placeOf(std::string_view text, std::size_t offset) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < offset; ++i)
        characters += (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80 ? 0 : 1;
    static constexpr CoreText place{"第 %1 个字符处", "at character %1"};
    return place.count(static_cast<long long>(characters + 1));
}

constexpr CoreText badPattern{"日期格式%1有误：%2", "The date pattern is wrong %1: %2"};
constexpr CoreText available{"（可用 %Y %m %d %H %M %S %%）", " (use %Y %m %d %H %M %S %%)"};

[[noreturn]] void fail(std::string_view text, std::size_t at, std::string_view problem) {
    throw DatePatternError(badPattern.fill({placeOf(text, at), problem}));
}

void appendPadded(std::string& out, int value, int width) {
    char digits[16];
    const int length = std::snprintf(digits, sizeof digits, "%0*d", width, value);
    out.append(digits, static_cast<std::size_t>(length));
}

} // namespace

DatePattern::DatePattern(std::string_view text) {
    if (text.empty())
        throw DatePatternError(
            CoreText{"日期格式不能为空", "The date pattern cannot be empty"}.text());
    std::string literal;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '/' || c == '\0')
            fail(text, at,
                 c == '/' ? CoreText{"名称里不能有 /", "a name cannot hold /"}.text()
                          : CoreText{"名称里不能有空字符", "a name cannot hold a NUL"}.text());
        if (c != '%') {
            literal += c;
            continue;
        }
        if (at + 1 == text.size())
            fail(text, at,
                 CoreText{"% 后面缺少字母", "a letter is missing after %"}.text() +
                     std::string(available.text()));
        const char code = text[++at];
        if (code == '%') {
            literal += '%';
            continue;
        }
        if (codes.find(code) == std::string_view::npos)
            fail(text, at - 1,
                 CoreText{"不认识 %%%1", "%%%1 is unknown"}.fill({std::string(1, code)}) +
                     available.text());
        if (!literal.empty())
            pieces_.push_back({0, std::move(literal)});
        literal.clear();
        pieces_.push_back({code, {}});
    }
    if (!literal.empty())
        pieces_.push_back({0, std::move(literal)});
}

std::string DatePattern::format(const TakenTime& taken) const {
    std::string name;
    for (const Piece& piece : pieces_) {
        switch (piece.code) {
        case 0:
            name += piece.text;
            break;
        case 'Y':
            appendPadded(name, taken.year, 4);
            break;
        case 'm':
            appendPadded(name, taken.month, 2);
            break;
        case 'd':
            appendPadded(name, taken.day, 2);
            break;
        case 'H':
            appendPadded(name, taken.hour, 2);
            break;
        case 'M':
            appendPadded(name, taken.minute, 2);
            break;
        default:
            appendPadded(name, taken.second, 2);
            break;
        }
    }
    return name;
}

} // namespace quorbel
