#pragma once

#include <optional>

namespace quorbel {

// --help and --version of the window program, answered before any window
// system is reached, so both work without a display (help2man, scripts,
// a terminal over ssh). Returns the exit status when one of them was asked
// for; otherwise nullopt, and the arguments are left to Qt.
std::optional<int> answerInformationOptions(int argc, char** argv);

} // namespace quorbel
