// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorbel {

class ExportBlock;

// Writes the block as an Excel 97-2003 workbook (BIFF8 in a compound file)
// with one worksheet, every cell with text as a text cell, into an open,
// empty file. Rows and cells must be within the format's limits. Write
// failures are thrown as std::system_error.
void writeXls(const ExportBlock& block, int fd);

} // namespace quorbel
