// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main.h"
#include "app/userlanguage.h"
#include "renamelist/renamerun.h"

#include <QApplication>
#include <QTest>
#include <QTranslator>

using namespace quorbel;

Q_DECLARE_METATYPE(quorbel::Language)

class UserLanguageTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        setCoreLanguage(Language::Chinese);
        qunsetenv("QUORBEL_LANG");
    }

    void chineseDesktopsOnlyUnlessAsked_data() {
        QTest::addColumn<QLocale>("system");
        QTest::addColumn<QByteArray>("asked");
        QTest::addColumn<Language>("expected");
        const QLocale china(QLocale::Chinese, QLocale::China);
        const QLocale taiwan(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan);
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale germany(QLocale::German, QLocale::Germany);
        QTest::newRow("Chinese desktop") << china << QByteArray() << Language::Chinese;
        QTest::newRow("Taiwanese desktop") << taiwan << QByteArray() << Language::Chinese;
        QTest::newRow("English desktop") << us << QByteArray() << Language::English;
        QTest::newRow("German desktop") << germany << QByteArray() << Language::English;
        QTest::newRow("C locale") << QLocale::c() << QByteArray() << Language::English;
        QTest::newRow("asked for English") << china << QByteArray("en") << Language::English;
        QTest::newRow("asked for Chinese") << us << QByteArray("zh") << Language::Chinese;
        QTest::newRow("asked with a locale name") << QLocale::c() << QByteArray("zh_CN")
                                                  << Language::Chinese;
        QTest::newRow("unknown ask is ignored") << china << QByteArray("fr") << Language::Chinese;
    }
    void chineseDesktopsOnlyUnlessAsked() {
        QFETCH(QLocale, system);
        QFETCH(QByteArray, asked);
        QFETCH(Language, expected);
        QCOMPARE(chooseUserLanguage(system, asked), expected);
    }

    // The catalogue is built into the program, and the core follows the window.
    void installingEnglishTranslatesTheWindowAndTheCore() {
        qputenv("QUORBEL_LANG", "en");
        QCOMPARE(installUserLanguage(*qApp), Language::English);
        QCOMPARE(TfrmMain::tr("换名"), QStringLiteral("Rename"));
        QCOMPARE(QString::fromUtf8(resultword::success.text()), QStringLiteral("Renamed"));
    }

    void installingChineseKeepsTheSourceTexts() {
        qputenv("QUORBEL_LANG", "zh");
        QCOMPARE(installUserLanguage(*qApp), Language::Chinese);
        QCOMPARE(TfrmMain::tr("换名"), QStringLiteral("换名"));
        QCOMPARE(QString::fromUtf8(resultword::success.text()), QStringLiteral("成功"));
    }
};

QTEST_MAIN(UserLanguageTest)
#include "userlanguage_test.moc"
