#pragma once

#include "platform/shellopener.h"

namespace quorbel {

class DesktopShellOpener : public ShellOpener {
public:
    void open(const std::string& address) override;
};

} // namespace quorbel
