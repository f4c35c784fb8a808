// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/errordisplay.h"

#include "platform/messageboxes.h"

#include <QCoreApplication>

#include <exception>

namespace quorbel {

QString ErrorDisplay::messageText(const QString& message) {
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + u'.';
    return message;
}

void ErrorDisplay::show(MessageBoxes& messages, QWidget* parent, const QString& message) {
    messages.error(parent, QCoreApplication::applicationName(), messageText(message));
}

bool ErrorDisplay::guard(MessageBoxes& messages, QWidget* parent,
                         const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        show(messages, parent, QString::fromUtf8(error.what()));
    } catch (...) {
        show(messages, parent, QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace quorbel
