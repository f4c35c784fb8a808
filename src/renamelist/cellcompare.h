// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/localeformat.h"

#include <string_view>

namespace quorbel {

// The sort picks its comparison for each pair from the first text alone.
bool isNumberText(std::string_view text, const LocaleFormat& locale);
bool isDateText(std::string_view text);

// -1, 0 or +1: numeric, date or byte-wise comparison, chosen from ta.
int compareCellTexts(std::string_view ta, std::string_view tb, const LocaleFormat& locale);

// What compareCellTexts works out of one text, worked out once per cell for a
// sort that compares each cell many times.
struct CellSortKey {
    double number = 0;     // the value of its longest convertible beginning
    bool complete = false; // the whole text converted
    bool isNumber = false;
};
CellSortKey cellSortKey(std::string_view text, const LocaleFormat& locale);
// Equals compareCellTexts(ta, tb, locale), given the keys of both texts.
int compareCellKeys(const CellSortKey& ka, std::string_view ta, const CellSortKey& kb,
                    std::string_view tb, const LocaleFormat& locale);

} // namespace quorbel
