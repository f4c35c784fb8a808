// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/cellcompare.h"

#include <string>

namespace quorbel {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int sign(double difference) {
    return difference > 0 ? 1 : (difference < 0 ? -1 : 0);
}

bool onlyMinusAndDigits(std::string_view text) {
    for (char c : text) {
        if (c != '-' && !isDigit(c))
            return false;
    }
    return true;
}

bool groupedNumber(std::string_view text, const LocaleFormat& locale) {
    long lastThousands = -4;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == locale.thousandsSeparator) {
            if (i == 0 || static_cast<long>(i) - lastThousands < 3)
                return false;
            lastThousands = static_cast<long>(i);
        } else if (c != '-' && c != locale.decimalSeparator && !isDigit(c)) {
            return false;
        }
    }
    return true;
}

struct Conversion {
    double value = 0;
    bool complete = false;
};

// An empty text counts as 0 and as converted; a text that does not convert
// completely keeps the value of its longest convertible beginning. A thousands
// separator ends the conversion, so "1.500" where "." groups thousands does not
// convert.
Conversion convertNumber(std::string_view text, const LocaleFormat& locale) {
    if (text.empty())
        return {0, true};
    const DecimalPrefix read = readDecimalPrefix(text, locale);
    return {read.value, read.length == text.size()};
}

double convertDate(std::string_view text, const LocaleFormat& locale) {
    if (text.empty())
        return 0;
    return parseShortDate(text, locale).value_or(0);
}

int compareBytes(std::string_view ta, std::string_view tb) {
    const int order = ta.compare(tb); // char_traits<char> compares as unsigned char
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

} // namespace

bool isNumberText(std::string_view text, const LocaleFormat& locale) {
    if (text.empty())
        return false;
    size_t minus = 0;
    size_t decimals = 0;
    for (char c : text) {
        minus += c == '-';
        decimals += c == locale.decimalSeparator;
    }
    if (minus > 1 || decimals > 1)
        return false;
    return onlyMinusAndDigits(text) || groupedNumber(text, locale);
}

bool isDateText(std::string_view text) {
    const auto slash = text.find('/');
    if (slash == std::string_view::npos || (slash != 1 && slash != 2) || slash + 1 >= text.size())
        return false;
    return isDigit(text[slash - 1]) && isDigit(text[slash + 1]);
}

int compareCellTexts(std::string_view ta, std::string_view tb, const LocaleFormat& locale) {
    if (isNumberText(ta, locale)) {
        const Conversion a = convertNumber(ta, locale);
        const Conversion b = convertNumber(tb, locale);
        if (!a.complete && !b.complete)
            return 0;
        return sign(a.value - b.value);
    }
    if (isDateText(ta))
        return sign(convertDate(ta, locale) - convertDate(tb, locale));
    return compareBytes(ta, tb);
}

CellSortKey cellSortKey(std::string_view text, const LocaleFormat& locale) {
    const Conversion conversion = convertNumber(text, locale);
    return {conversion.value, conversion.complete, isNumberText(text, locale)};
}

int compareCellKeys(const CellSortKey& ka, std::string_view ta, const CellSortKey& kb,
                    std::string_view tb, const LocaleFormat& locale) {
    if (ka.isNumber) {
        if (!ka.complete && !kb.complete)
            return 0;
        return sign(ka.number - kb.number);
    }
    if (isDateText(ta))
        return sign(convertDate(ta, locale) - convertDate(tb, locale));
    return compareBytes(ta, tb);
}

} // namespace quorbel
