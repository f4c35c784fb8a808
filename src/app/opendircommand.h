#pragma once

namespace quorbel {

class TfrmMain;

void openDirCommand(TfrmMain& main);

} // namespace quorbel
