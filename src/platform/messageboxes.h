// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace quorbel {

// Message boxes behind an interface, so tests record them instead of waiting
// on a modal loop.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void error(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void warning(QWidget* parent, const QString& title, const QString& text) = 0;
    // Just the text and an OK button: no icon.
    virtual void plain(QWidget* parent, const QString& title, const QString& text) = 0;
    // A yes/no question; true for yes.
    virtual bool question(QWidget* parent, const QString& title, const QString& text) = 0;
};

class QtMessageBoxes : public MessageBoxes {
public:
    void error(QWidget* parent, const QString& title, const QString& text) override;
    void information(QWidget* parent, const QString& title, const QString& text) override;
    void warning(QWidget* parent, const QString& title, const QString& text) override;
    void plain(QWidget* parent, const QString& title, const QString& text) override;
    bool question(QWidget* parent, const QString& title, const QString& text) override;
};

} // namespace quorbel
