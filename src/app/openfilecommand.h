#pragma once

namespace quorbel {

class TfrmMain;

void openFileCommand(TfrmMain& main);

} // namespace quorbel
