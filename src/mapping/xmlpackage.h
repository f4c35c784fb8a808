#pragma once

#include "mapping/orcussheet.h"

#include <optional>
#include <string>
#include <vector>

namespace quorbel {

// Cells of one sheet read straight from a package's XML, where liborcus loses
// them: inline strings, sheets named by absolute part paths and formula
// results in .xlsx; formula results and booleans in .ods.
struct PackageCell {
    OrcusCell place;
    std::optional<size_t> style; // .xlsx cell format index
};

struct PackageSheet {
    std::string name;
    std::vector<PackageCell> cells;
};

struct XlsxSheets {
    std::vector<PackageSheet> sheets; // every worksheet in workbook order
    bool dates1904 = false;           // day 0 is 1904-01-01
};

// sharedStrings: the table liborcus read. Throws on a damaged package.
XlsxSheets readXlsxSheets(const std::string& content,
                          const std::vector<std::string>& sharedStrings);

// The formula results and booleans of every table of an .ods, in order.
std::vector<PackageSheet> readOdsFormulaCells(const std::string& content);

} // namespace quorbel
