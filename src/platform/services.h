// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace quorbel {

class ShellOpener;
class MessageBoxes;
class FileDialogs;
class DialogRunner;
class WorkbookReader;
class RenameFileSystem;

// Opens a workbook for the mapping-table dialog; an empty one means openWorkbook.
using WorkbookOpener = std::function<std::unique_ptr<WorkbookReader>(const std::string& path)>;

// The program's web and mail addresses, each "" when it has none.
struct ProgramLinks {
    std::string homePage;
    std::string secondPage;
    std::string mailAddress;
};

// The platform services the window and its commands reach. The program hands in
// the real ones; tests hand in recording fakes.
struct Services {
    ShellOpener* shell = nullptr;
    MessageBoxes* messages = nullptr;
    FileDialogs* files = nullptr;
    DialogRunner* dialogs = nullptr;
    WorkbookOpener workbooks;
    // The rename run's file system; nullptr means the real POSIX one.
    RenameFileSystem* fileSystem = nullptr;
    // Where the journal of the last run is kept; "" means the user's state
    // directory ($XDG_STATE_HOME/quorbel).
    std::string journalDirectory{};
    // The file the dialogs keep their settings in; "" means the user's own
    // ($XDG_CONFIG_HOME/quorbel/quorbel.conf).
    std::string settingsFile{};
    // The About box's links, the first also requested at every rename run. The
    // program hands in the build's settings (app/links.h), tests their own;
    // none by default, so nothing is opened that nobody configured.
    ProgramLinks links{};
};

} // namespace quorbel
