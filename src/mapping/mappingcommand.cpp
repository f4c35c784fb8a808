#include "mapping/mappingcommand.h"

#include "app/main.h"

namespace quorbel {

void mappingCommand(TfrmMain&) {}

} // namespace quorbel
