// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/services.h"

#include <QDialog>

class QLabel;

namespace quorbel {

class ShellOpener;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    TAboutBox(ShellOpener& shell, ProgramLinks links, QWidget* parent = nullptr);

    void CommentsClick();
    void Label2Click();
    void Label4Click();

private:
    QLabel* addLink(QWidget* panel, const QString& name, const std::string& address,
                    const QString& none, QPoint at, int width, void (TAboutBox::*handler)());
    void openIfSet(const std::string& address);

    ShellOpener& shell_;
    ProgramLinks links_;
};

} // namespace quorbel
