// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorbel {

class TfrmMain;

// "目录". With a folder (one dropped on the list), the dialog opens with that
// folder already chosen, as after a confirmed browse.
void openDirCommand(TfrmMain& main, const QString& chosenFolder = QString());

} // namespace quorbel
