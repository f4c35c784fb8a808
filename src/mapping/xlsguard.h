// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mapping/workbookreader.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// A cell value FreeXL does not hand over, or hands over wrongly, read in the
// pass over the records: shared strings (FreeXL mishandles strings that span
// CONTINUE records), formula results, booleans and errors (as the text Excel
// shows, "#DIV/0!" and the like).
struct XlsCell {
    std::uint32_t sheet = 0; // in the order FreeXL lists the sheets
    std::uint32_t row = 0;
    std::uint32_t column = 0;
    SheetCell cell;
};

// A worksheet as its BOUNDSHEET record names it.
struct XlsSheet {
    std::string name;
    std::uint32_t index = 0; // of its BOUNDSHEET record, as XlsCell::sheet counts
};

struct XlsCheck {
    // The file as FreeXL may read it: the shared-string table and the cells
    // that refer to it are retyped to a record FreeXL skips, so it never parses
    // a string layout it cannot follow.
    std::string freexlFile;
    std::vector<XlsCell> cells;
    // The worksheets (not charts or macro sheets), in order.
    std::vector<XlsSheet> sheets;
    // A sound workbook FreeXL is known to fail on: a worksheet without a
    // DIMENSION record, or with cells beyond it.
    bool freexlFails = false;
};

// Walks an .xls file's compound-file structure and BIFF records before FreeXL
// sees it, and refuses with WorkbookError what FreeXL does not check for itself:
// records whose lengths run past their end, string indexes beyond the string
// table, extents beyond the format's limits, chains that loop or leave the file,
// and encryption. FreeXL trusts those fields and reads or allocates by them.
// everything: every cell is read (texts, numbers, dates by their formats),
// for a valid file FreeXL cannot read; freexlFile stays empty then.
XlsCheck checkXlsFile(std::string_view file, bool everything = false);

} // namespace quorbel
