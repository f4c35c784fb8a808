// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogfont.h"

namespace quorbel {

QFont dialogFont() {
    QFont font(QStringLiteral("宋体"));
    font.setFamilies(
        {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Zen Hei")});
    font.setPixelSize(12);
    return font;
}

} // namespace quorbel
