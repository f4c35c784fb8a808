#pragma once

namespace quorbel {

class ShellOpener;
class MessageBoxes;
class FileDialogs;
class DialogRunner;

// The platform services the window and its commands reach. The program hands in
// the real ones; tests hand in recording fakes.
struct Services {
    ShellOpener* shell = nullptr;
    MessageBoxes* messages = nullptr;
    FileDialogs* files = nullptr;
    DialogRunner* dialogs = nullptr;
};

} // namespace quorbel
