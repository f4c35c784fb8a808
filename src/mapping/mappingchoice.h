// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mapping/workbookreader.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace quorbel {

// A sheet and two of its columns named by someone who could not pick them from
// a list: a sheet or column that is not there, or two columns that cannot pair.
class MappingChoiceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Two columns can pair when both have a name and the names differ, byte for
// byte: a column cannot look itself up.
bool mappingColumnsPair(const std::vector<std::string>& columnNames, int keyColumn,
                        int valueColumn);

// The sheet with the two columns the mapping pairs.
struct MappingChoice {
    MappingTable table;
    int keyColumn = -1;
    int valueColumn = -1;
};

// Reads the named sheet; MappingChoiceError, naming the sheets there are, when
// the workbook has no sheet of that name. The reader's WorkbookError passes
// through.
MappingTable readNamedSheet(WorkbookReader& reader, const std::string& sheetName);

// Reads the named sheet and finds the two columns by name, byte for byte (the
// first column of a name when several share it). Throws MappingChoiceError for
// a sheet or column that is not there and for columns that cannot pair; the
// reader's WorkbookError passes through.
MappingChoice chooseMapping(WorkbookReader& reader, const std::string& sheetName,
                            const std::string& keyColumnName, const std::string& valueColumnName);

// "使用对应表对应 n 个文件".
std::string mappedStatusText(int matches);

} // namespace quorbel
