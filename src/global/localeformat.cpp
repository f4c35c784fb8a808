// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/localeformat.h"

#include <array>
#include <charconv>
#include <cmath>

namespace quorbel {
namespace {

// Days from 1970-01-01 for a proleptic Gregorian date (Howard Hinnant's algorithm).
long daysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

constexpr long serialEpochFromUnix = 25569; // 1899-12-30 to 1970-01-01

bool isLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : days[static_cast<size_t>(month - 1)];
}

std::optional<int> parseUnsigned(std::string_view text) {
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<DateSerial> validDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month))
        return std::nullopt;
    return dateSerial(year, month, day);
}

// "h:m" or "h:m:s" as a fraction of a day.
std::optional<double> parseTime(std::string_view text) {
    std::array<int, 3> parts{0, 0, 0};
    size_t count = 0;
    while (count < 3) {
        const auto colon = text.find(':');
        const auto value = parseUnsigned(text.substr(0, colon));
        if (!value)
            return std::nullopt;
        parts[count++] = *value;
        if (colon == std::string_view::npos)
            break;
        text.remove_prefix(colon + 1);
    }
    if (count < 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59)
        return std::nullopt;
    return (parts[0] * 3600.0 + parts[1] * 60.0 + parts[2]) / 86400.0;
}

std::optional<DateSerial> withOptionalTime(std::optional<DateSerial> date, std::string_view rest) {
    if (!date || rest.empty())
        return date;
    const auto time = parseTime(rest);
    if (!time)
        return std::nullopt;
    return *date + *time;
}

} // namespace

DateSerial dateSerial(int year, int month, int day) {
    return static_cast<double>(
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
        serialEpochFromUnix);
}

void civilFromSerial(long days, int& year, int& month, int& day) {
    const long z = days - serialEpochFromUnix + 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<long>(yoe) + era * 400 + (month <= 2));
}

DecimalPrefix readDecimalPrefix(std::string_view text, const LocaleFormat& locale) {
    // from_chars knows only ".", so the locale's separator becomes one; a "."
    // of the text that is not the locale's separator must not, so the copy
    // ends there.
    std::string normal;
    normal.reserve(text.size());
    for (char c : text) {
        if (c == locale.decimalSeparator)
            normal.push_back('.');
        else if (c == '.')
            break;
        else
            normal.push_back(c);
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (ec != std::errc() || !std::isfinite(value))
        return {};
    return {value, static_cast<size_t>(end - normal.data())};
}

std::optional<double> parseDecimal(std::string_view text, const LocaleFormat& locale) {
    const DecimalPrefix read = readDecimalPrefix(text, locale);
    if (text.empty() || read.length != text.size())
        return std::nullopt;
    return read.value;
}

std::optional<DateSerial> parseShortDate(std::string_view text, const LocaleFormat& locale) {
    const auto blank = text.find(' ');
    const std::string_view date = text.substr(0, blank);
    const std::string_view rest =
        blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
    std::array<int, 3> fields{};
    std::string_view remaining = date;
    for (size_t i = 0; i < 3; ++i) {
        const auto sep = i < 2 ? remaining.find(locale.dateSeparator) : std::string_view::npos;
        if (i < 2 && sep == std::string_view::npos)
            return std::nullopt;
        const auto value = parseUnsigned(remaining.substr(0, sep));
        if (!value)
            return std::nullopt;
        fields[i] = *value;
        remaining = i < 2 ? remaining.substr(sep + 1) : std::string_view();
    }
    int year = fields[0], month = fields[1], day = fields[2];
    if (locale.dateOrder == DateOrder::MonthDayYear) {
        year = fields[2], month = fields[0], day = fields[1];
    } else if (locale.dateOrder == DateOrder::DayMonthYear) {
        year = fields[2], month = fields[1], day = fields[0];
    }
    if (year < 100)
        year += year < 50 ? 2000 : 1900;
    return withOptionalTime(validDate(year, month, day), rest);
}

std::optional<DateSerial> parseIsoDate(std::string_view text) {
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto year = parseUnsigned(text.substr(0, 4));
    const auto month = parseUnsigned(text.substr(5, 2));
    const auto day = parseUnsigned(text.substr(8, 2));
    if (!year || !month || !day)
        return std::nullopt;
    std::string_view rest = text.substr(10);
    if (!rest.empty()) {
        if (rest.front() != ' ' && rest.front() != 'T')
            return std::nullopt;
        rest.remove_prefix(1);
    }
    return withOptionalTime(validDate(*year, *month, *day), rest);
}

} // namespace quorbel
