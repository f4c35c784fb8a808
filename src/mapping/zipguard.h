// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace quorbel {

// Reads a ZIP file's central directory and refuses, with WorkbookError, an
// archive whose members would unpack to more than a workbook reader should hold
// in memory, whose directory or headers are missing or damaged, or whose member
// data does not unpack to the size and CRC-32 the directory gives.
void checkZipSize(std::string_view archive);

} // namespace quorbel
