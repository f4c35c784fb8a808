// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>

namespace quorbel {

class TfrmMain;

// "保存列表" of the file menu: the whole list to a workbook the user chooses.
void exportCommand(TfrmMain& main);

// The status text after an export that had to replace bytes in some cells.
QString replacedCellsStatusText(size_t cells);

} // namespace quorbel
