// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/mappinglookup.h"

#include "mapping/celltext.h"

#include <algorithm>
#include <cmath>

namespace quorbel {
namespace {

std::string foldAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

// Dates compare to the second, so a time typed into a sheet and the same time
// spelled in a key agree despite binary fractions of a day.
long long toSeconds(DateSerial serial) {
    return std::llround(serial * 86400.0);
}

// A time written by cellText uses "." between its fields; read it back as well.
std::string withColonTime(const std::string& key) {
    const auto blank = key.find(' ');
    if (blank == std::string::npos)
        return key;
    std::string text = key;
    std::replace(text.begin() + static_cast<std::ptrdiff_t>(blank), text.end(), '.', ':');
    return text;
}

std::optional<DateSerial> parseDateKey(const std::string& key, const LocaleFormat& locale) {
    for (const std::string& text : {key, withColonTime(key)}) {
        if (auto serial = parseIsoDate(text))
            return serial;
        if (auto serial = parseShortDate(text, locale))
            return serial;
    }
    return std::nullopt;
}

// The key is spelled into a comparison as a literal of the column's kind, and
// a decimal literal may carry a "+" before its digits.
std::string_view withoutPlus(std::string_view key, const LocaleFormat& locale) {
    if (key.size() >= 2 && key[0] == '+' &&
        ((key[1] >= '0' && key[1] <= '9') || key[1] == locale.decimalSeparator))
        key.remove_prefix(1);
    return key;
}

bool usableSerial(double value) {
    return std::isfinite(value) && std::fabs(value) < 1e12;
}

} // namespace

MappingLookup::MappingLookup(const MappingTable& table, int keyColumn, const LocaleFormat& locale)
    : kind_(table.kind(keyColumn)), locale_(locale) {
    switch (kind_) {
    case ColumnKind::Number:
        indexNumbers(table, keyColumn);
        break;
    case ColumnKind::Date:
        indexDates(table, keyColumn);
        break;
    case ColumnKind::Text:
        indexText(table, keyColumn);
        break;
    }
}

// emplace keeps the first row of equal keys, which is the first in sheet order.
void MappingLookup::indexText(const MappingTable& table, int keyColumn) {
    for (size_t row = 0; row < table.rowCount(); ++row) {
        const SheetCell& cell = table.cell(row, keyColumn);
        if (isBlank(cell))
            continue;
        std::string text = cellText(cell, locale_);
        folded_.emplace(foldAscii(text), row);
        exact_.emplace(std::move(text), row);
    }
}

void MappingLookup::indexNumbers(const MappingTable& table, int keyColumn) {
    for (size_t row = 0; row < table.rowCount(); ++row) {
        const SheetCell& cell = table.cell(row, keyColumn);
        if (cell.type == SheetCell::Type::Number)
            numbers_.emplace(cell.number + 0.0, row);
    }
}

void MappingLookup::indexDates(const MappingTable& table, int keyColumn) {
    for (size_t row = 0; row < table.rowCount(); ++row) {
        const SheetCell& cell = table.cell(row, keyColumn);
        if (cell.type == SheetCell::Type::Date && usableSerial(cell.number))
            seconds_.emplace(toSeconds(cell.number), row);
    }
}

std::optional<size_t> MappingLookup::find(const std::string& key) const {
    if (key.empty())
        return std::nullopt;
    switch (kind_) {
    case ColumnKind::Number:
        return findNumber(key);
    case ColumnKind::Date:
        return findDate(key);
    case ColumnKind::Text:
        break;
    }
    return findText(key);
}

std::optional<size_t> MappingLookup::findText(const std::string& key) const {
    if (const auto found = exact_.find(key); found != exact_.end())
        return found->second;
    if (const auto found = folded_.find(foldAscii(key)); found != folded_.end())
        return found->second;
    return std::nullopt;
}

std::optional<size_t> MappingLookup::findNumber(const std::string& key) const {
    const auto value = parseDecimal(withoutPlus(key, locale_), locale_);
    if (!value)
        return std::nullopt;
    const auto found = numbers_.find(*value + 0.0);
    return found == numbers_.end() ? std::nullopt : std::optional<size_t>(found->second);
}

std::optional<size_t> MappingLookup::findDate(const std::string& key) const {
    const auto serial = parseDateKey(key, locale_);
    if (!serial)
        return std::nullopt;
    const auto found = seconds_.find(toSeconds(*serial));
    return found == seconds_.end() ? std::nullopt : std::optional<size_t>(found->second);
}

} // namespace quorbel
