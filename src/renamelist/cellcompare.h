#pragma once

#include "global/localeformat.h"

#include <string_view>

namespace quorbel {

// The sort picks its comparison for each pair from the first text alone.
bool isNumberText(std::string_view text, const LocaleFormat& locale);
bool isDateText(std::string_view text);

// -1, 0 or +1: numeric, date or byte-wise comparison, chosen from ta.
int compareCellTexts(std::string_view ta, std::string_view tb, const LocaleFormat& locale);

} // namespace quorbel
