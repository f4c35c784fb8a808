// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

// Text tables as spreadsheet programs save them: UTF-8 with or without its mark,
// "Unicode text" (UTF-16 with its mark, tab-separated), GBK from Excel on a Chinese
// system, ";"-separated from Excel in many European locales.

// The bytes as UTF-8 without a byte order mark, or nothing when they are not text:
// UTF-8 and UTF-16 with their marks, else UTF-8, else GB18030 (which includes GBK).
// Text has no control characters other than tab, line ends and form feed.
std::optional<std::string> decodeText(std::string_view bytes);

// ',', ';' or '\t': the one that separates most fields on the first line, outside
// quotes; on a tie tab, then ';'. 0 when the first line has none of them.
char detectSeparator(std::string_view text);

// Decoded text as comma-separated UTF-8 with LF line ends, or nothing when it is not
// a table: not text, or (unless oneColumnAllowed) no separator on its first line.
std::optional<std::string> csvAsCommaSeparated(std::string_view bytes, bool oneColumnAllowed);

} // namespace quorbel
