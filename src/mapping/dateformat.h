// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace quorbel {

// Whether a number format shows its number as a date or time. Spreadsheet files
// store dates as day numbers; only the format tells them apart.
bool isBuiltinDateFormat(size_t id);
bool isDateFormatCode(std::string_view code);
// A format that shows a number as a truth value, as LibreOffice saves its
// booleans into .xls files: "TRUE";"TRUE";"FALSE" (words in the user's
// language). Such numbers read as booleans, so a sheet reads alike in every
// format it was saved in.
bool isBooleanFormatCode(std::string_view code);

} // namespace quorbel
