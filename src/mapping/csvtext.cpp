// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/csvtext.h"

#include <iconv.h>

#include <array>
#include <cerrno>

namespace quorbel {
namespace {

bool validUtf8Text(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f')
                return false;
            ++i;
            continue;
        }
        const size_t length = byte >= 0xF0 && byte < 0xF5 ? 4
                              : byte >= 0xE0              ? 3
                              : byte >= 0xC2              ? 2
                                                          : 0;
        if (length == 0 || i + length > text.size())
            return false;
        // No overlong forms, surrogates or code points beyond U+10FFFF: GBK text
        // passes a looser check more often.
        const auto second = static_cast<unsigned char>(text[i + 1]);
        if ((byte == 0xE0 && second < 0xA0) || (byte == 0xED && second >= 0xA0) ||
            (byte == 0xF0 && second < 0x90) || (byte == 0xF4 && second >= 0x90))
            return false;
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

// glibc's iconv, strict: any byte sequence the encoding does not define fails.
std::optional<std::string> toUtf8(std::string_view bytes, const char* encoding) {
    const iconv_t converter = iconv_open("UTF-8", encoding);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string result(bytes.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    size_t written = 0;
    bool ok = true;
    while (inLeft > 0) {
        char* out = result.data() + written;
        size_t outLeft = result.size() - written;
        const size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
        written = result.size() - outLeft;
        if (done != static_cast<size_t>(-1))
            break;
        if (errno != E2BIG) {
            ok = false;
            break;
        }
        result.resize(result.size() * 2);
    }
    iconv_close(converter);
    if (!ok)
        return std::nullopt;
    result.resize(written);
    return result;
}

std::optional<std::string> decodeWithoutCheck(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return std::string(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE"))
        return toUtf8(bytes.substr(2), "UTF-16LE");
    if (bytes.starts_with("\xFE\xFF"))
        return toUtf8(bytes.substr(2), "UTF-16BE");
    if (validUtf8Text(bytes))
        return std::string(bytes);
    return toUtf8(bytes, "GB18030");
}

// The CSV parser ends lines at LF only; CR LF (Windows) and CR (old Mac) would
// leave a CR in every last field.
std::string withLfLineEnds(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            result += text[i];
        else if (i + 1 >= text.size() || text[i + 1] != '\n')
            result += '\n';
    }
    return result;
}

void appendField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// One field from pos, quotes as spreadsheet programs write them ("" inside quotes is a
// quote; text after the closing quote is kept as written); pos ends on the separator,
// the line end or the end.
std::string readField(std::string_view text, size_t& pos, char separator) {
    std::string field;
    bool quoted = pos < text.size() && text[pos] == '"';
    if (quoted)
        ++pos;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (quoted && c == '"') {
            if (pos + 1 < text.size() && text[pos + 1] == '"') {
                field += '"';
                ++pos;
            } else {
                quoted = false;
            }
            continue;
        }
        if (!quoted && (c == separator || c == '\n'))
            break;
        field += c;
    }
    return field;
}

// Re-writes text separated by separator (0: one field a line) with commas.
std::string withCommas(std::string_view text, char separator) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    size_t pos = 0;
    while (pos < text.size()) {
        appendField(out, readField(text, pos, separator));
        if (pos < text.size()) {
            out += text[pos] == '\n' ? '\n' : ',';
            ++pos;
        }
    }
    return out;
}

} // namespace

std::optional<std::string> decodeText(std::string_view bytes) {
    std::optional<std::string> text = decodeWithoutCheck(bytes);
    if (!text || !validUtf8Text(*text))
        return std::nullopt;
    if (text->starts_with("\xEF\xBB\xBF")) // GB18030's own mark, decoded
        text->erase(0, 3);
    return text;
}

char detectSeparator(std::string_view text) {
    constexpr std::array<char, 3> candidates = {'\t', ';', ','}; // in the order ties go
    std::array<size_t, 3> counts{};
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r'))
            break;
        for (size_t k = 0; k < candidates.size(); ++k)
            counts[k] += !quoted && c == candidates[k];
    }
    size_t best = 0;
    for (size_t k = 1; k < candidates.size(); ++k) {
        if (counts[k] > counts[best])
            best = k;
    }
    return counts[best] > 0 ? candidates[best] : '\0';
}

std::optional<std::string> csvAsCommaSeparated(std::string_view bytes, bool oneColumnAllowed) {
    const std::optional<std::string> text = decodeText(bytes);
    if (!text)
        return std::nullopt;
    const char separator = detectSeparator(*text);
    if (separator == '\0' && !oneColumnAllowed)
        return std::nullopt;
    std::string lines = withLfLineEnds(*text);
    if (separator == ',')
        return lines;
    return withCommas(lines, separator);
}

} // namespace quorbel
