// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/dateformat.h"

namespace quorbel {

// 14-22 and 45-47 everywhere; 27-36 and 50-58 are the East Asian date formats
// (for example yyyy"年"m"月"d"日").
bool isBuiltinDateFormat(size_t id) {
    return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
           (id >= 50 && id <= 58);
}

// Date and time letters outside quoted text, escapes and [...] sections (colours,
// conditions, locales); the elapsed-time sections [h], [m], [s] count as time.
bool isDateFormatCode(std::string_view code) {
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"') {
            const size_t close = code.find('"', i + 1);
            if (close == std::string_view::npos)
                return false;
            i = close;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            const size_t close = code.find(']', i + 1);
            if (close == std::string_view::npos)
                return false;
            const std::string_view inside = code.substr(i + 1, close - i - 1);
            if (!inside.empty() && inside.find_first_not_of("hHmMsS") == std::string_view::npos)
                return true;
            i = close;
        } else if (c == ';') {
            return false; // the first section decides
        } else {
            switch (c) {
            case 'y':
            case 'Y':
            case 'm':
            case 'M':
            case 'd':
            case 'D':
            case 'h':
            case 'H':
            case 's':
            case 'S':
                return true;
            default:
                break;
            }
        }
    }
    return false;
}

// Exactly three sections, each one quoted word, the first two equal and the
// third different.
bool isBooleanFormatCode(std::string_view code) {
    std::string_view words[3];
    size_t count = 0;
    size_t at = 0;
    while (at < code.size()) {
        if (count == 3 || code[at] != '"')
            return false;
        const size_t close = code.find('"', at + 1);
        if (close == std::string_view::npos)
            return false;
        words[count++] = code.substr(at + 1, close - at - 1);
        at = close + 1;
        if (at < code.size() && code[at++] != ';')
            return false;
    }
    return count == 3 && !words[0].empty() && words[0] == words[1] && words[2] != words[0];
}

} // namespace quorbel
