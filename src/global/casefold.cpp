// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/casefold.h"

#include <clocale>
#include <cwchar>
#include <cwctype>
#include <locale.h>

namespace quorbel {
namespace {

// Above every code point, so a stray byte never equals a character.
constexpr char32_t strayByteBase = 0x110000;

locale_t utf8Locale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    return locale;
}

// mbrtowc has no variant taking a locale, so the decoding runs with ours set
// for this thread only and the thread's own is back when the scope ends.
class ThreadLocale {
public:
    explicit ThreadLocale(locale_t locale) : previous_(uselocale(locale)) {}
    ~ThreadLocale() { uselocale(previous_); }
    ThreadLocale(const ThreadLocale&) = delete;
    ThreadLocale& operator=(const ThreadLocale&) = delete;

private:
    locale_t previous_;
};

char32_t foldAscii(unsigned char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 'a';
    return c < 0x80 ? c : strayByteBase + c;
}

// Only reached where the C library lacks a UTF-8 locale: letters beyond
// ASCII then compare exactly.
std::u32string foldWithoutLocale(std::string_view text) {
    std::u32string folded;
    folded.reserve(text.size());
    for (char c : text)
        folded.push_back(foldAscii(static_cast<unsigned char>(c)));
    return folded;
}

} // namespace

std::u32string foldedCharacters(std::string_view text) {
    const locale_t locale = utf8Locale();
    if (locale == locale_t(0))
        return foldWithoutLocale(text);
    const ThreadLocale scope(locale);
    std::u32string folded;
    folded.reserve(text.size());
    std::mbstate_t state{};
    size_t pos = 0;
    while (pos < text.size()) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        // A byte below 0x80 is a whole character in UTF-8, and the C library
        // folds those as plain ASCII; taking them directly keeps long
        // listings of plain names quick.
        if (byte < 0x80) {
            folded.push_back(foldAscii(byte));
            ++pos;
            continue;
        }
        wchar_t wide = 0;
        size_t length = std::mbrtowc(&wide, text.data() + pos, text.size() - pos, &state);
        if (length == static_cast<size_t>(-1) || length == static_cast<size_t>(-2)) {
            folded.push_back(strayByteBase + static_cast<unsigned char>(text[pos]));
            state = std::mbstate_t{};
            ++pos;
            continue;
        }
        if (length == 0)
            length = 1; // an embedded NUL is a character like any other here
        // Through upper case, as the file system folds, so final and plain
        // sigma meet; then lower case, so "_" sorts before letters as before.
        const wint_t upper = towupper_l(static_cast<wint_t>(wide), locale);
        folded.push_back(static_cast<char32_t>(towlower_l(upper, locale)));
        pos += length;
    }
    return folded;
}

} // namespace quorbel
