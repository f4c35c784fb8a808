// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <locale.h>

#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// Orders UTF-8 texts as a locale collates them with letter case ignored; texts
// that still compare equal (names differing only in case, or in characters the
// locale ignores) fall back to byte order, so every order is total and stable.
// Only the C library's collation is used, so the command line shares it.
class CaseBlindCollation {
public:
    // The collation of the process's current locale, as setlocale() left it.
    CaseBlindCollation();
    // A named locale ("C.UTF-8", "zh_CN.UTF-8"); throws std::runtime_error when
    // it is not installed.
    explicit CaseBlindCollation(const std::string& localeName);
    ~CaseBlindCollation();
    CaseBlindCollation(const CaseBlindCollation&) = delete;
    CaseBlindCollation& operator=(const CaseBlindCollation&) = delete;

    // The text's sort key: its characters lower-cased, then transformed by the
    // locale, so two keys compare as the texts collate.
    std::wstring sortKey(std::string_view text) const;

    bool less(std::string_view a, std::string_view b) const;

    // Sorts in place; each key is built once, not once per comparison.
    void sort(std::vector<std::string>& texts) const;

private:
    void appendSortKey(std::string_view text, std::wstring& folded, std::wstring& keys) const;

    locale_t locale_;
};

} // namespace quorbel
