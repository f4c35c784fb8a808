// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/applymapping.h"

#include "mapping/celltext.h"
#include "mapping/mappinglookup.h"
#include "renamelist/renamelist.h"

#include <stdexcept>

namespace quorbel {
namespace {

void checkColumn(const MappingTable& table, int column) {
    if (column < 0 || static_cast<size_t>(column) >= table.columnNames().size())
        throw std::invalid_argument("mapping column " + std::to_string(column) +
                                    " is not in the sheet");
}

struct UpdateBatch {
    explicit UpdateBatch(RenameList& list) : list(list) { list.beginUpdate(); }
    ~UpdateBatch() { list.endUpdate(); }
    RenameList& list;
};

} // namespace

int applyMapping(RenameList& list, const MappingTable& table, int keyColumn, int valueColumn,
                 const LocaleFormat& locale) {
    checkColumn(table, keyColumn);
    checkColumn(table, valueColumn);
    const MappingLookup lookup(table, keyColumn, locale);
    const int rowCount = list.RowCount();
    UpdateBatch batch(list);
    int matches = 0;
    for (int row = 1; row < rowCount; ++row) {
        const auto found = lookup.find(list.getCell(RenameList::OldName, row));
        if (!found)
            continue;
        list.setCell(RenameList::NewName, row, cellText(table.cell(*found, valueColumn), locale));
        ++matches;
    }
    return matches;
}

} // namespace quorbel
