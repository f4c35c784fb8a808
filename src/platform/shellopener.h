// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quorbel {

// Asks the desktop to open a web or mail address. The result is never needed:
// callers go on whether or not a browser or mail program started.
class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    virtual void open(const std::string& address) = 0;
};

} // namespace quorbel
