#include "numbering/numberingcommand.h"

#include "app/main.h"

namespace quorbel {

void numberingCommand(TfrmMain&) {}

} // namespace quorbel
