// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/localeformat.h"
#include "mapping/workbookreader.h"

namespace quorbel {

class RenameList;

// For every file row, looks its old name (column 2) up in the key column and
// writes the value column's text into its new name (column 3). Rows without a
// match keep their new name. Returns the number of matched rows, whether or not
// the new name changed. The list is updated as one batch.
// Throws std::invalid_argument when either column is not in the table.
int applyMapping(RenameList& list, const MappingTable& table, int keyColumn, int valueColumn,
                 const LocaleFormat& locale);

} // namespace quorbel
