// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/messageboxes.h"

#include <QMessageBox>

namespace quorbel {

void QtMessageBoxes::error(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::critical(parent, title, text);
}

void QtMessageBoxes::information(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text);
}

void QtMessageBoxes::warning(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::warning(parent, title, text);
}

void QtMessageBoxes::plain(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtMessageBoxes::question(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text) == QMessageBox::Yes;
}

} // namespace quorbel
