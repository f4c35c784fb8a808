// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/exportblock.h"

#include "export/exporttext.h"
#include "renamelist/renamelist.h"

#include <algorithm>

namespace quorbel {

ExportBlock::ExportBlock(const RenameList& list) : list_(list), rowCount_(list.RowCount()) {
    extent_.firstRow = rowCount_;
    extent_.firstColumn = columnCount;
    for (int row = 0; row < rowCount_; ++row) {
        for (int column = 0; column < columnCount; ++column)
            scan(row, column);
    }
    if (extent_.lastRow < 0)
        extent_ = Extent{};
}

void ExportBlock::scan(int row, int column) {
    const std::string& cell = list_.getCell(column, row);
    if (needsCleaning(cell)) {
        ExportText clean = exportText(cell);
        if (clean.replaced)
            ++replacedCells_;
        cleaned_.emplace(static_cast<size_t>(row) * columnCount + column, std::move(clean.text));
    }
    const std::string& exported = text(row, column);
    if (exported.empty())
        return;
    extent_.firstRow = std::min(extent_.firstRow, row);
    extent_.lastRow = std::max(extent_.lastRow, row);
    extent_.firstColumn = std::min(extent_.firstColumn, column);
    extent_.lastColumn = std::max(extent_.lastColumn, column);
    const size_t length = utf16Length(exported);
    if (length > longest_.length)
        longest_ = {row, column, length};
}

const std::string& ExportBlock::text(int row, int column) const {
    if (!cleaned_.empty()) {
        const auto found = cleaned_.find(static_cast<size_t>(row) * columnCount + column);
        if (found != cleaned_.end())
            return found->second;
    }
    return list_.getCell(column, row);
}

} // namespace quorbel
