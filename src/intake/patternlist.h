// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/coretext.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// One entry of an extension pattern list: the caption shown to the user and
// the mask it stands for ("*.jpg;*.jpeg").
struct PatternEntry {
    std::string caption;
    std::string pattern;
    bool operator==(const PatternEntry&) const = default;
};

// Reads "caption|pattern|caption|pattern..." in pairs. A trailing caption
// without a "|" after it is dropped; an empty pattern is a valid entry.
std::vector<PatternEntry> parsePatternList(std::string_view text);

// The text to append to a pattern list for a pattern the user typed: the typed
// text trimmed at both ends becomes both the pattern and, in "自定义(...)", the
// caption. The pattern is not validated.
std::string customEntryText(std::string_view typed);

// The picture chooser's filter list as every chooser starts with it.
extern const CoreText chooserPatternList;

} // namespace quorbel
