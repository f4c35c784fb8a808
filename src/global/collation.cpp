// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/collation.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <wchar.h>
#include <wctype.h>

namespace quorbel {
namespace {

// A byte that starts no valid UTF-8 character becomes a lone surrogate, which no
// real character uses: such names still sort, and the byte-order tie break keeps
// them apart.
constexpr wchar_t strayByte = 0xDC00;

size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Decodes one character at text[pos]; advances pos past it.
wchar_t decodeOne(std::string_view text, size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const size_t length = sequenceLength(lead);
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return strayByte + lead;
    }
    if (length == 1) {
        ++pos;
        return lead;
    }
    char32_t code = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const auto trail = static_cast<unsigned char>(text[pos + i]);
        if ((trail & 0xC0) != 0x80) {
            ++pos;
            return strayByte + lead;
        }
        code = (code << 6) | (trail & 0x3F);
    }
    pos += length;
    return static_cast<wchar_t>(code);
}

locale_t checked(locale_t locale, const std::string& name) {
    if (locale == locale_t(0))
        throw std::runtime_error("locale not available: " + name);
    return locale;
}

} // namespace

CaseBlindCollation::CaseBlindCollation()
    : locale_(checked(duplocale(LC_GLOBAL_LOCALE), "current")) {}

CaseBlindCollation::CaseBlindCollation(const std::string& localeName)
    : locale_(checked(newlocale(LC_COLLATE_MASK | LC_CTYPE_MASK, localeName.c_str(), locale_t(0)),
                      localeName)) {}

CaseBlindCollation::~CaseBlindCollation() {
    freelocale(locale_);
}

std::wstring CaseBlindCollation::sortKey(std::string_view text) const {
    std::wstring folded;
    std::wstring key;
    appendSortKey(text, folded, key);
    return key;
}

// Appends the key to keys; folded is scratch space kept by the caller, so a
// long sort allocates per growth, not per text.
void CaseBlindCollation::appendSortKey(std::string_view text, std::wstring& folded,
                                       std::wstring& keys) const {
    folded.clear();
    for (size_t pos = 0; pos < text.size();)
        folded.push_back(static_cast<wchar_t>(towlower_l(decodeOne(text, pos), locale_)));
    const size_t start = keys.size();
    // Four levels of weights plus separators: under five per character for
    // Latin text in the glibc locales; Chinese needs fewer. Too little room costs
    // a second transform.
    size_t room = folded.size() * 6 + 8;
    keys.resize(start + room);
    size_t length = wcsxfrm_l(keys.data() + start, folded.c_str(), room, locale_);
    if (length >= room) {
        room = length + 1;
        keys.resize(start + room);
        length = wcsxfrm_l(keys.data() + start, folded.c_str(), room, locale_);
    }
    keys.resize(start + length);
}

bool CaseBlindCollation::less(std::string_view a, std::string_view b) const {
    const int order = sortKey(a).compare(sortKey(b));
    return order != 0 ? order < 0 : a < b;
}

void CaseBlindCollation::sort(std::vector<std::string>& texts) const {
    // All keys in one buffer; text i's key runs from ends[i - 1] to ends[i].
    std::wstring keys;
    std::wstring folded;
    std::vector<size_t> ends;
    ends.reserve(texts.size());
    for (const std::string& text : texts) {
        appendSortKey(text, folded, keys);
        ends.push_back(keys.size());
    }
    const auto keyOf = [&](size_t i) {
        const size_t begin = i == 0 ? 0 : ends[i - 1];
        return std::wstring_view(keys).substr(begin, ends[i] - begin);
    };
    std::vector<size_t> order(texts.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int byKey = keyOf(a).compare(keyOf(b));
        return byKey != 0 ? byKey < 0 : texts[a] < texts[b];
    });
    std::vector<std::string> sorted;
    sorted.reserve(texts.size());
    for (size_t index : order)
        sorted.push_back(std::move(texts[index]));
    texts = std::move(sorted);
}

} // namespace quorbel
