#pragma once

#include <string_view>

namespace quorbel {

// Walks an .xls file's compound-file structure and BIFF records before FreeXL
// sees it, and refuses with WorkbookError what FreeXL does not check for itself:
// records whose lengths run past their end, string indexes beyond the string
// table, extents beyond the format's limits, chains that loop or leave the file,
// and encryption. FreeXL trusts those fields and reads or allocates by them.
void checkXlsFile(std::string_view file);

} // namespace quorbel
