#pragma once

namespace quorbel {

class TfrmMain;

void numberingCommand(TfrmMain& main);

} // namespace quorbel
