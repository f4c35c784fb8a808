// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/localeformat.h"
#include "mapping/workbookreader.h"

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>

namespace quorbel {

// Finds the first data row, in sheet order, whose key-column cell matches a key,
// comparing by the column's kind. Built once per command, so a lookup costs a
// hash probe instead of a scan of the sheet.
//
// Text columns match byte for byte first and otherwise ignoring the case of the
// ASCII letters A-Z; other bytes (Chinese, accented letters) compare exactly.
// Number columns read the key as a decimal literal, date columns as yyyy-mm-dd or
// the locale's short date (a time part may follow). An empty key and an empty
// cell never match.
class MappingLookup {
public:
    MappingLookup(const MappingTable& table, int keyColumn, const LocaleFormat& locale);

    std::optional<size_t> find(const std::string& key) const;

private:
    void indexText(const MappingTable& table, int keyColumn);
    void indexNumbers(const MappingTable& table, int keyColumn);
    void indexDates(const MappingTable& table, int keyColumn);
    std::optional<size_t> findText(const std::string& key) const;
    std::optional<size_t> findNumber(const std::string& key) const;
    std::optional<size_t> findDate(const std::string& key) const;

    ColumnKind kind_ = ColumnKind::Text;
    LocaleFormat locale_;
    std::unordered_map<std::string, size_t> exact_;
    std::unordered_map<std::string, size_t> folded_;
    std::unordered_map<double, size_t> numbers_;
    std::unordered_map<long long, size_t> seconds_;
};

} // namespace quorbel
