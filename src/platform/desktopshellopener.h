// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/shellopener.h"

namespace quorbel {

class DesktopShellOpener : public ShellOpener {
public:
    void open(const std::string& address) override;
};

} // namespace quorbel
