// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktopshellopener.h"

#include <QDesktopServices>
#include <QUrl>

namespace quorbel {

void DesktopShellOpener::open(const std::string& address) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

} // namespace quorbel
