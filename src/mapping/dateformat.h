#pragma once

#include <cstddef>
#include <string_view>

namespace quorbel {

// Whether a number format shows its number as a date or time. Spreadsheet files
// store dates as day numbers; only the format tells them apart.
bool isBuiltinDateFormat(size_t id);
bool isDateFormatCode(std::string_view code);

} // namespace quorbel
