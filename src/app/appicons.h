// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

namespace quorbel {

// The nine 16 by 16 command icons, indices 0 to 8.
QIcon appIcon(int index);
QIcon programIcon();

} // namespace quorbel
