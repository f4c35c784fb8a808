// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/nameonlyiconprovider.h"

#include <QMimeDatabase>

namespace quorbel {
namespace {

// Folders, devices and pipes are told apart by Qt without reading them; only
// regular files would be opened.
QMimeType typeByName(const QFileInfo& info) {
    return QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
}

} // namespace

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
    if (!info.isFile())
        return QFileIconProvider::icon(info);
    const QMimeType mime = typeByName(info);
    const QIcon themed =
        QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName()));
    return themed.isNull() ? icon(File) : themed;
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
    if (!info.isFile())
        return QFileIconProvider::type(info);
    const QMimeType mime = typeByName(info);
    return mime.comment().isEmpty() ? mime.name() : mime.comment();
}

} // namespace quorbel
