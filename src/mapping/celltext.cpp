// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/celltext.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quorbel {
namespace {

constexpr int significantDigits = 15;
// 0001-01-01 and 10000-01-01 as day serials: the years a date text can spell.
constexpr double firstSerial = -693593;
constexpr double endSerial = 2958466;

struct Decimal {
    bool negative = false;
    std::string digits; // without trailing zeros, at least one digit
    int exponent = 0;   // of the first digit
};

// Rounds to the significant digits first, so 999999999999999.9 becomes 1E15.
Decimal toDecimal(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.*e", significantDigits - 1, value);
    Decimal decimal;
    const char* p = buffer;
    if (*p == '-') {
        decimal.negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p) {
        if (*p != '.')
            decimal.digits += *p;
    }
    decimal.exponent = std::atoi(p + 1);
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0')
        decimal.digits.pop_back();
    return decimal;
}

std::string scientific(const Decimal& d, char separator) {
    std::string text = d.digits.substr(0, 1);
    if (d.digits.size() > 1)
        text += separator + d.digits.substr(1);
    return text + "E" + std::to_string(d.exponent);
}

std::string positional(const Decimal& d, char separator) {
    if (d.exponent < 0)
        return std::string("0") + separator +
               std::string(static_cast<size_t>(-d.exponent - 1), '0') + d.digits;
    const auto whole = static_cast<size_t>(d.exponent) + 1;
    if (d.digits.size() <= whole)
        return d.digits + std::string(whole - d.digits.size(), '0');
    return d.digits.substr(0, whole) + separator + d.digits.substr(whole);
}

std::string twoDigits(long value) {
    return std::string(1, static_cast<char>('0' + value / 10)) +
           static_cast<char>('0' + value % 10);
}

std::string clockText(long seconds) {
    return twoDigits(seconds / 3600) + "." + twoDigits(seconds / 60 % 60) + "." +
           twoDigits(seconds % 60);
}

} // namespace

bool isBlank(const SheetCell& cell) {
    return cell.type == SheetCell::Type::Empty ||
           (cell.type == SheetCell::Type::Text && cell.text.empty());
}

std::string numberText(double value, char decimalSeparator) {
    if (!std::isfinite(value))
        return "#NUM!";
    if (value == 0)
        return "0";
    const Decimal d = toDecimal(value);
    const std::string body = d.exponent >= significantDigits || d.exponent < -4
                                 ? scientific(d, decimalSeparator)
                                 : positional(d, decimalSeparator);
    return d.negative ? "-" + body : body;
}

std::string dateText(DateSerial serial) {
    if (!std::isfinite(serial) || serial < firstSerial || serial >= endSerial)
        return numberText(serial);
    auto days = static_cast<long>(std::floor(serial));
    auto seconds = std::lround((serial - static_cast<double>(days)) * 86400.0);
    if (seconds >= 86400) {
        ++days;
        seconds = 0;
    }
    if (days == 0 && seconds > 0)
        return clockText(seconds);
    int year = 0, month = 0, day = 0;
    civilFromSerial(days, year, month, day);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    return seconds > 0 ? std::string(buffer) + " " + clockText(seconds) : std::string(buffer);
}

std::string cellText(const SheetCell& cell, const LocaleFormat& locale) {
    switch (cell.type) {
    case SheetCell::Type::Text:
        return cell.text;
    case SheetCell::Type::Number:
        return numberText(cell.number, locale.decimalSeparator);
    case SheetCell::Type::Date:
        return dateText(cell.number);
    case SheetCell::Type::Boolean:
        return cell.number != 0 ? "TRUE" : "FALSE";
    case SheetCell::Type::Empty:
        break;
    }
    return {};
}

} // namespace quorbel
