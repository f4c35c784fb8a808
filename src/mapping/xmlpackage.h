// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mapping/orcussheet.h"

#include <optional>
#include <string>
#include <vector>

namespace quorbel {

// Cells of one sheet read straight from a package's XML, where liborcus loses
// or misplaces them: inline strings, sheets named by absolute part paths,
// errors and formula results in .xlsx; formula results, errors, booleans and
// cells after merged cells in .ods.
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

// Refuses, before liborcus reads the package, array formulas whose ranges
// are inverted (Damaged) or cover far more cells than the package could
// hold results for (TooLarge); liborcus trusts those ranges.
void checkXlsxArrayFormulas(const std::string& content);

// sharedStrings: the table liborcus read. Throws on a damaged package.
XlsxSheets readXlsxSheets(const std::string& content,
                          const std::vector<std::string>& sharedStrings);

// The cells of every table of an .ods, in order: values, texts, formula
// results (errors as their text), booleans, dates and times.
std::vector<PackageSheet> readOdsCells(const std::string& content);

} // namespace quorbel
