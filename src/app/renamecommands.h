// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quorbel {

class JournalStore;
class RenameFileSystem;
class TfrmMain;
struct Services;

void renameCommand(TfrmMain& main);
void clearResultCommand(TfrmMain& main);
void saveFailuresCommand(TfrmMain& main);
void clearFailuresCommand(TfrmMain& main);

// Shared by the commands that report into the window.
RenameFileSystem& fileSystemOf(const Services& services);
JournalStore journalStoreOf(const Services& services);
// Replaces the failure list with these CR LF lines.
void showFailures(TfrmMain& main, const std::string& crlfLines);

} // namespace quorbel
