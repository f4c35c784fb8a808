// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/ooxmlescape.h"

#include "global/hexdigit.h"
#include "global/utf8encode.h"

#include <optional>

namespace quorbel {
namespace {

// The unit of an escape starting at "at", which must be "_xHHHH_".
std::optional<char32_t> escapeAt(std::string_view text, size_t at) {
    if (at + 7 > text.size() || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_')
        return std::nullopt;
    char32_t unit = 0;
    for (size_t i = at + 2; i < at + 6; ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0)
            return std::nullopt;
        unit = unit << 4 | static_cast<char32_t>(digit);
    }
    return unit;
}

bool isHigh(char32_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}

bool isLow(char32_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

} // namespace

std::string decodeOoxmlEscapes(std::string_view text) {
    if (text.find("_x") == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        const auto unit = escapeAt(text, at);
        if (!unit) {
            out += text[at++];
            continue;
        }
        at += 7;
        if (isHigh(*unit)) {
            const auto low = escapeAt(text, at);
            if (low && isLow(*low)) {
                appendUtf8(out, 0x10000 + ((*unit - 0xD800) << 10) + (*low - 0xDC00));
                at += 7;
                continue;
            }
        }
        appendUtf8(out, *unit); // a lone surrogate becomes U+FFFD
    }
    return out;
}

std::string escapeOoxmlText(std::string_view text) {
    if (text.find("_x") == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t at = 0; at < text.size(); ++at) {
        if (escapeAt(text, at))
            out += "_x005F";
        out += text[at];
    }
    return out;
}

} // namespace quorbel
