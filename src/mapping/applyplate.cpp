// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/applyplate.h"

#include "mapping/celltext.h"
#include "mapping/platewell.h"
#include "renamelist/renamelist.h"

namespace quorbel {
namespace {

struct UpdateBatch {
    explicit UpdateBatch(RenameList& list) : list(list) { list.beginUpdate(); }
    ~UpdateBatch() { list.endUpdate(); }
    RenameList& list;
};

} // namespace

int applyPlate(RenameList& list, const PlateBlock& plate, const LocaleFormat& locale) {
    const int rowCount = list.RowCount();
    UpdateBatch batch(list);
    int named = 0;
    for (int row = 1; row < rowCount; ++row) {
        const auto well =
            wellInName(list.getCell(RenameList::OldName, row), plate.rows(), plate.columns());
        if (!well)
            continue;
        const SheetCell& cell = plate.well(well->row, well->column);
        if (isBlank(cell))
            continue;
        list.setCell(RenameList::NewName, row, cellText(cell, locale));
        ++named;
    }
    return named;
}

} // namespace quorbel
