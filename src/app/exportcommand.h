#pragma once

namespace quorbel {

class TfrmMain;

void exportCommand(TfrmMain& main);

} // namespace quorbel
