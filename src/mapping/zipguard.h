#pragma once

#include <string_view>

namespace quorbel {

// Reads a ZIP file's central directory and refuses, with WorkbookError, an
// archive whose members would unpack to more than a workbook reader should hold
// in memory, or whose directory is missing or damaged.
void checkZipSize(std::string_view archive);

} // namespace quorbel
