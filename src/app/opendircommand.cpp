#include "app/opendircommand.h"

#include "app/main.h"

namespace quorbel {

void openDirCommand(TfrmMain&) {}

} // namespace quorbel
