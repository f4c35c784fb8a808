// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileIconProvider>

namespace quorbel {

// Icons and type names for the entries a file dialog lists, told from the
// names alone. Qt's own provider reads the first bytes of a file whose name
// does not settle its type, and the dialog asks for every file of the folder
// it shows on the window's thread: in /proc such a read of /proc/kmsg waits
// for the next kernel message, and the window hangs until one comes.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};

} // namespace quorbel
