#include "app/exportcommand.h"

#include "app/main.h"

namespace quorbel {

void exportCommand(TfrmMain&) {}

} // namespace quorbel
