// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/clilocale.h"

#include <clocale>
#include <cstdlib>
#include <langinfo.h>
#include <string>

namespace quorbel {
namespace {

char asciiOr(const char* text, char fallback) {
    return text && text[0] != '\0' && text[1] == '\0' && static_cast<unsigned char>(text[0]) < 128
               ? text[0]
               : fallback;
}

// From a strftime date format such as "%d.%m.%Y" or "%Y/%m/%d".
void readDateFormat(const std::string& format, LocaleFormat& locale) {
    const auto y = format.find_first_of("yY");
    const auto m = format.find('m');
    const auto d = format.find_first_of("de");
    if (y != std::string::npos && m != std::string::npos && d != std::string::npos)
        locale.dateOrder = y < m   ? DateOrder::YearMonthDay
                           : m < d ? DateOrder::MonthDayYear
                                   : DateOrder::DayMonthYear;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%') {
            ++i;
            continue;
        }
        locale.dateSeparator = format[i];
        break;
    }
}

} // namespace

Language messageLanguage(const char* lcAll, const char* lcMessages, const char* lang,
                         const char* quorbelLang) {
    const auto set = [](const char* value) { return value && value[0] != '\0'; };
    const std::string_view all = set(lcAll) ? lcAll : "";
    if (all == "C" || all == "POSIX" || all.starts_with("C."))
        return Language::English;
    if (set(quorbelLang)) {
        if (const auto named = languageNamed(quorbelLang))
            return *named;
    }
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (set(value))
            return languageOfLocale(value);
    }
    return Language::English;
}

Language environmentLanguage() {
    return messageLanguage(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"),
                           std::getenv("QUORBEL_LANG"));
}

LocaleFormat environmentLocaleFormat() {
    LocaleFormat format;
    const locale_t user =
        ::newlocale(LC_NUMERIC_MASK | LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (!user)
        return format;
    format.decimalSeparator = asciiOr(::nl_langinfo_l(RADIXCHAR, user), '.');
    format.thousandsSeparator = asciiOr(::nl_langinfo_l(THOUSEP, user), ',');
    readDateFormat(::nl_langinfo_l(D_FMT, user), format);
    ::freelocale(user);
    return format;
}

} // namespace quorbel
