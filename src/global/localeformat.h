// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

enum class DateOrder { YearMonthDay, MonthDayYear, DayMonthYear };

// The system locale's number and short-date conventions, read once at start by
// the UI and handed to the core, so the core never asks the environment.
struct LocaleFormat {
    char decimalSeparator = '.';
    char thousandsSeparator = ',';
    char dateSeparator = '/';
    DateOrder dateOrder = DateOrder::YearMonthDay;
};

// A date and time as a day count from 1899-12-30, with the time of day as the
// fraction: the serial form spreadsheets use, so sheet dates compare directly.
using DateSerial = double;

DateSerial dateSerial(int year, int month, int day);
void civilFromSerial(long days, int& year, int& month, int& day);

// The longest beginning of a text that reads as a decimal number written with
// the locale's separators: digits, a "-", the locale's decimal separator and an
// exponent. Any other character ends it, a thousands separator too, and so does
// a "." where the locale's decimal separator is another character. length is
// 0 when nothing reads.
struct DecimalPrefix {
    double value = 0;
    size_t length = 0;
};
DecimalPrefix readDecimalPrefix(std::string_view text, const LocaleFormat& locale);

// The whole text must convert; the decimal separator of the locale is accepted.
// An empty text is not handled here: callers decide what it means.
std::optional<double> parseDecimal(std::string_view text, const LocaleFormat& locale);

// A short date of the locale, optionally followed by a blank and h:m or h:m:s.
std::optional<DateSerial> parseShortDate(std::string_view text, const LocaleFormat& locale);

// yyyy-mm-dd, optionally followed by a blank or "T" and a time.
std::optional<DateSerial> parseIsoDate(std::string_view text);

} // namespace quorbel
