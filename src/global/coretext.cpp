// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/coretext.h"

#include <vector>

namespace quorbel {
namespace {

Language processLanguage = Language::Chinese;

bool startsWithWord(std::string_view name, std::string_view word) {
    if (!name.starts_with(word))
        return false;
    return name.size() == word.size() || name[word.size()] == '_' || name[word.size()] == '-' ||
           name[word.size()] == '.' || name[word.size()] == '@';
}

} // namespace

Language coreLanguage() {
    return processLanguage;
}

void setCoreLanguage(Language language) {
    processLanguage = language;
}

Language languageOfLocale(std::string_view localeName) {
    return startsWithWord(localeName, "zh") ? Language::Chinese : Language::English;
}

std::optional<Language> languageNamed(std::string_view name) {
    if (startsWithWord(name, "zh"))
        return Language::Chinese;
    if (startsWithWord(name, "en"))
        return Language::English;
    return std::nullopt;
}

std::string CoreText::fill(std::initializer_list<std::string_view> values) const {
    return fillIn(text(), values);
}

std::string CoreText::count(long long n, std::initializer_list<std::string_view> more) const {
    const char* pattern = n == 1 && enOne && coreLanguage() == Language::English ? enOne : text();
    const std::string number = std::to_string(n);
    std::vector<std::string_view> values{number};
    values.insert(values.end(), more.begin(), more.end());
    return fillIn(pattern, values.data(), values.size());
}

std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> values) {
    return fillIn(pattern, values.begin(), values.size());
}

std::string fillIn(std::string_view pattern, const std::string_view* values, std::size_t count) {
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next == '%') {
            out += '%';
            ++i;
        } else if (pattern[i] == '%' && next >= '1' && next <= '9' &&
                   static_cast<std::size_t>(next - '1') < count) {
            out += values[next - '1'];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace quorbel
