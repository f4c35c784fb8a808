#pragma once

#include <QDialog>

class QLabel;

namespace quorbel {

class ShellOpener;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    TAboutBox(ShellOpener& shell, QWidget* parent = nullptr);

    void CommentsClick();
    void Label2Click();
    void Label4Click();

private:
    QLabel* addLink(QWidget* panel, const QString& name, const QString& shown, QPoint at, int width,
                    void (TAboutBox::*handler)());

    ShellOpener& shell_;
};

} // namespace quorbel
