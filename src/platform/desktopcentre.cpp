// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktopcentre.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace quorbel {

void centreOnDesktop(QWidget& window) {
    const QScreen* desktop = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (desktop)
        window.move(desktop->availableGeometry().center() - window.rect().center());
}

} // namespace quorbel
