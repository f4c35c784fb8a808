// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/directorylistbox.h"

#include "intake/filelistbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>

#include <stdexcept>

namespace quorbel {
namespace {

constexpr int PathRole = Qt::UserRole;

QString indent(int level) {
    return QString(level * 2, QLatin1Char(' '));
}

} // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        emit entryActivated(item->data(PathRole).toString());
    });
}

void DirectoryListBox::setDirectory(const QString& directory) {
    const QFileInfo info(directory);
    const QString path = QDir::cleanPath(info.absoluteFilePath());
    if (path == directory_)
        return;
    if (!info.isDir() || !QDir(path).isReadable())
        throw std::runtime_error(tr("无法进入目录 %1").arg(path).toStdString());
    if (fileList_)
        fileList_->setDirectory(QFile::encodeName(path).toStdString());
    // The process follows the browsing, so the next chooser opens here.
    QDir::setCurrent(path);
    directory_ = path;
    rebuild();
    emit directoryChanged();
}

void DirectoryListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QListWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (QListWidgetItem* item = currentItem())
        emit entryActivated(item->data(PathRole).toString());
}

void DirectoryListBox::rebuild() {
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QStringList parts = directory_.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString path = QStringLiteral("/");
    auto* root = new QListWidgetItem(openIcon, QStringLiteral("/"), this);
    root->setData(PathRole, path);
    int level = 1;
    for (const QString& part : parts) {
        path = path.endsWith(QLatin1Char('/')) ? path + part : path + QLatin1Char('/') + part;
        auto* item = new QListWidgetItem(openIcon, indent(level++) + part, this);
        item->setData(PathRole, path);
    }
    setCurrentRow(count() - 1);
    const QDir current(directory_);
    for (const QString& name :
         current.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* item = new QListWidgetItem(closedIcon, indent(level) + name, this);
        item->setData(PathRole, current.filePath(name));
    }
}

} // namespace quorbel
