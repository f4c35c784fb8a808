// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qttranslations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

using namespace quorbel;

namespace {

QString buttonText(QDialogButtonBox::StandardButton which) {
    QDialogButtonBox box(which);
    return box.button(which)->text();
}

QString fileDialogLabel(const char* name) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    return dialog.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

} // namespace

class QtTranslationsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

    void chineseLocaleTranslatesQtsButtonsAndFileDialog() {
        QVERIFY(installQtTranslations(*qApp, QLocale(QLocale::Chinese, QLocale::China)));
        QCOMPARE(buttonText(QDialogButtonBox::Cancel), QStringLiteral("取消"));
        QCOMPARE(buttonText(QDialogButtonBox::Open), QStringLiteral("打开"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
        QCOMPARE(fileDialogLabel("lookInLabel"), QStringLiteral("查找范围："));
    }

    void localeWithoutTranslationStaysEnglish() {
        installQtTranslations(*qApp, QLocale::c());
        QCOMPARE(buttonText(QDialogButtonBox::Cancel), QStringLiteral("Cancel"));
        QCOMPARE(buttonText(QDialogButtonBox::Open), QStringLiteral("Open"));
        QCOMPARE(fileDialogLabel("lookInLabel"), QStringLiteral("Look in:"));
    }
};

QTEST_MAIN(QtTranslationsTest)
#include "qttranslations_test.moc"
