#pragma once

namespace quorbel {

class TfrmMain;

void renameCommand(TfrmMain& main);
void clearResultCommand(TfrmMain& main);
void saveFailuresCommand(TfrmMain& main);
void clearFailuresCommand(TfrmMain& main);

} // namespace quorbel
