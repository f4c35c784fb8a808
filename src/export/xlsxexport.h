// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quorbel {

class ExportBlock;

// Writes the block as an Office Open XML workbook (".xlsx") with one
// worksheet through libxlsxwriter, every cell with text as a text cell.
// tempDirectory holds the library's own scratch files while it works.
// Throws std::runtime_error with the library's reason when it fails.
void writeXlsx(const ExportBlock& block, const std::string& path, const std::string& tempDirectory);

} // namespace quorbel
