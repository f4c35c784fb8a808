// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/localeformat.h"
#include "mapping/plateblock.h"

namespace quorbel {

class RenameList;

// For every file row whose old name (column 2) names a well of the plate,
// writes that well's cell text into its new name (column 3), by the same
// cell-to-text rules as the mapping. Rows without a well, and rows whose well
// is empty, keep their new name. Returns the number of rows given a name. The
// list is updated as one batch.
int applyPlate(RenameList& list, const PlateBlock& plate, const LocaleFormat& locale);

} // namespace quorbel
