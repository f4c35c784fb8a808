// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/coretext.h"

#include <optional>

namespace quorbel {

// --help and --version of the window program, answered before any window
// system is reached, so both work without a display (help2man, scripts,
// a terminal over ssh). The help is in the language the window would speak.
// Returns the exit status when one of them was asked for; otherwise nullopt,
// and the arguments are left to Qt.
std::optional<int> answerInformationOptions(int argc, char** argv, Language language);

} // namespace quorbel
