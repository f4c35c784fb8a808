// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/captionedframes.h"

#include <QWidget>

namespace quorbel {

void useCaptionedFrames(QWidget& dialog) {
    dialog.setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
        " left: 7px; padding: 0 1px; }"));
}

} // namespace quorbel
