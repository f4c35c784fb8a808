#include "intake/openfilecommand.h"

#include "app/main.h"

namespace quorbel {

void openFileCommand(TfrmMain&) {}

} // namespace quorbel
