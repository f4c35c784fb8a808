// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace quorbel {

// Centres a window on the work area of its screen instead of over its owner.
// Call before the window is shown: a window placed by the program keeps Qt
// from centring a dialog over its parent.
void centreOnDesktop(QWidget& window);

} // namespace quorbel
