#include "renamelist/renamecommands.h"

#include "app/main.h"

namespace quorbel {

void renameCommand(TfrmMain&) {}

void clearResultCommand(TfrmMain&) {}

void saveFailuresCommand(TfrmMain&) {}

void clearFailuresCommand(TfrmMain&) {}

} // namespace quorbel
