// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QPixmap>

namespace quorbel {

// The 9 by 10 two-colour triangle that marks the current row.
QImage rowIndicatorImage();
// The same with its white background made transparent, so only the mark shows.
QPixmap rowIndicatorPixmap();

} // namespace quorbel
