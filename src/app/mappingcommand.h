#pragma once

namespace quorbel {

class TfrmMain;

void mappingCommand(TfrmMain& main);

} // namespace quorbel
