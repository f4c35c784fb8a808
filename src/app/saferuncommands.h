// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorbel {

class TfrmMain;

// "预检": predicts every row's result without touching a file.
void precheckCommand(TfrmMain& main);
// "撤销换名": renames back what the last run renamed, from its journal.
void undoCommand(TfrmMain& main);
// At start: asks whether to undo a run whose journal was never finished.
void offerUndoCommand(TfrmMain& main);

} // namespace quorbel
