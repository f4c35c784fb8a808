// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/exporttext.h"

#include <cstdint>

namespace quorbel {
namespace {

constexpr std::string_view replacementCharacter = "\xEF\xBF\xBD";

// Length of the valid UTF-8 sequence at text[at], or 0 when the byte there
// does not start one (overlong forms, surrogates and values past U+10FFFF
// included).
size_t sequenceLength(std::string_view text, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (size_t i = 2; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

} // namespace

bool needsCleaning(std::string_view cell) {
    for (size_t at = 0; at < cell.size();) {
        if (cell[at] == '\r')
            return true;
        const size_t length = sequenceLength(cell, at);
        if (length == 0)
            return true;
        at += length;
    }
    return false;
}

ExportText exportText(std::string_view cell) {
    ExportText result;
    result.text.reserve(cell.size());
    for (size_t at = 0; at < cell.size();) {
        if (cell[at] == '\r') {
            ++at;
            continue;
        }
        const size_t length = sequenceLength(cell, at);
        if (length == 0) {
            result.text += replacementCharacter;
            result.replaced = true;
            ++at;
            continue;
        }
        result.text.append(cell.substr(at, length));
        at += length;
    }
    return result;
}

size_t utf16Length(std::string_view utf8) {
    size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80)
            units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

void appendUtf16(std::string_view utf8, std::u16string& out) {
    for (size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t i = 1; i < length; ++i)
            code = code << 6 | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
        at += length;
        if (code < 0x10000) {
            out += static_cast<char16_t>(code);
        } else {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (code >> 10));
            out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        }
    }
}

} // namespace quorbel
