// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/messageboxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace quorbel;

class MessageBoxesTest : public QObject {
    Q_OBJECT

private slots:
    // What the user sees of a plain box: the text and OK, no icon at all.
    void plainShowsTextAndOkWithoutIcon() {
        QMessageBox::Icon icon = QMessageBox::Information;
        QMessageBox::StandardButtons buttons;
        QString title;
        QString text;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                qWarning("no message box showed");
                return;
            }
            icon = box->icon();
            buttons = box->standardButtons();
            title = box->windowTitle();
            text = box->text();
            box->accept();
        });
        QtMessageBoxes().plain(nullptr, QStringLiteral("Quorbel"), QStringLiteral(".ab1"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(title, QStringLiteral("Quorbel"));
        QCOMPARE(text, QStringLiteral(".ab1"));
    }
};

QTEST_MAIN(MessageBoxesTest)
#include "messageboxes_test.moc"
