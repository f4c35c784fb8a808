// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

// The two languages the program speaks. Chinese is the language its texts were
// first written in; English is for every desktop that is not Chinese.
enum class Language { Chinese, English };

// The language of the core's texts for this process. Each front end sets it
// once at start, from the user's locale; until then it is Chinese.
Language coreLanguage();
void setCoreLanguage(Language language);

// "zh", "zh_CN.UTF-8", "zh_TW" give Chinese; everything else, "C" and "POSIX"
// included, gives English.
Language languageOfLocale(std::string_view localeName);
// A language asked for by name ("zh", "en", or a locale name such as
// "zh_CN"); nothing for an empty or unknown name.
std::optional<Language> languageNamed(std::string_view name);

// A text the core shows to users, written in both languages. Where it is
// declared is its identity: the core passes texts around by it and chooses the
// words only where they leave for a window, a terminal or a file. Stored data
// (the run journal) never holds these texts, so any language reads it.
//
// A new text is one declaration next to the code that uses it:
//     inline constexpr CoreText diskFull{"失败,磁盘已满", "Failed: disk full"};
// "%1", "%2", ... stand for the values fill() puts in.
struct CoreText {
    const char* zh;
    const char* en;
    // English for a count of one, where the count is %1 ("Renamed 1 file").
    const char* enOne = nullptr;

    const char* in(Language language) const { return language == Language::Chinese ? zh : en; }
    // In the process's language.
    const char* text() const { return in(coreLanguage()); }
    operator const char*() const { return text(); }
    // The text with %1, %2, ... replaced by the values, in order.
    std::string fill(std::initializer_list<std::string_view> values) const;
    // The text for a count, which is %1; further values are %2, ...
    std::string count(long long n, std::initializer_list<std::string_view> more = {}) const;

    friend bool operator==(const CoreText& a, const CoreText& b) {
        return std::string_view(a.zh) == std::string_view(b.zh);
    }
};

// Replaces %1 to %9 in pattern with values[0] to values[8]; "%%" is one "%".
std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> values);
std::string fillIn(std::string_view pattern, const std::string_view* values, std::size_t count);

} // namespace quorbel
