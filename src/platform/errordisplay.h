// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace quorbel {

class MessageBoxes;

// The application's one place for an error that leaves a command or an event
// handler: a message box with the error icon, the application's title and the
// message; the program then carries on.
class ErrorDisplay {
public:
    // Adds a final "." when the last character sorts after ".".
    static QString messageText(const QString& message);

    // Runs a handler; an exception leaving it is shown and swallowed.
    // Returns false when the handler ended with an error.
    static bool guard(MessageBoxes& messages, QWidget* parent,
                      const std::function<void()>& handler);
    static void show(MessageBoxes& messages, QWidget* parent, const QString& message);
};

} // namespace quorbel
