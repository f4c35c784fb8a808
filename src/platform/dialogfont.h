// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QStringList>

namespace quorbel {

// The font of the small rule dialogs: "宋体" 12 pixels, or a CJK font that
// stands in for it where it is not installed.
QFont dialogFont();

} // namespace quorbel
