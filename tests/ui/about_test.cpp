// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about.h"
#include "config/version.h"
#include "support/fakeservices.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocumentFragment>

#include <string>
#include <vector>

Q_DECLARE_METATYPE(quorbel::ProgramLinks)
Q_DECLARE_METATYPE(std::vector<std::string>)

namespace quorbel {
namespace {

// Clicks a label where its text begins, as a user clicks a link.
void clickText(QLabel& label) {
    QTest::mouseClick(&label, Qt::LeftButton, Qt::NoModifier, QPoint(4, label.height() / 2));
}

} // namespace

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    // Each line is a link exactly when the build has its address; a click on it
    // opens that address, a click on a plain line opens nothing.
    void linkLinesFollowTheConfiguredAddresses_data() {
        QTest::addColumn<ProgramLinks>("links");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QList<bool>>("isLink");
        QTest::addColumn<std::vector<std::string>>("opened");
        const std::string home = "https://quorbel.test/";
        const std::string faq = "https://quorbel.test/faq?a=1&b=<2>";
        const std::string mail = "lab@quorbel.test";
        QTest::newRow("none set") << ProgramLinks{} << QStringList{"未设置", "", "未设置"}
                                  << QList<bool>{false, false, false} << std::vector<std::string>{};
        QTest::newRow("all set") << ProgramLinks{home, faq, mail}
                                 << QStringList{"https://quorbel.test/",
                                                "https://quorbel.test/faq?a=1&b=<2>",
                                                "lab@quorbel.test"}
                                 << QList<bool>{true, true, true}
                                 << std::vector<std::string>{home, faq, "Mailto:" + mail};
        QTest::newRow("mail only")
            << ProgramLinks{"", "", mail} << QStringList{"未设置", "", "lab@quorbel.test"}
            << QList<bool>{false, false, true} << std::vector<std::string>{"Mailto:" + mail};
        QTest::newRow("second page without home page")
            << ProgramLinks{"", faq, ""}
            << QStringList{"未设置", "https://quorbel.test/faq?a=1&b=<2>", "未设置"}
            << QList<bool>{false, true, false} << std::vector<std::string>{faq};
    }

    void linkLinesFollowTheConfiguredAddresses() {
        QFETCH(ProgramLinks, links);
        QFETCH(QStringList, shown);
        QFETCH(QList<bool>, isLink);
        QFETCH(std::vector<std::string>, opened);
        test::RecordingShellOpener shell;
        TAboutBox about(shell, links);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const char* names[] = {"Comments", "Label2", "Label4"};
        for (int line = 0; line < 3; ++line) {
            auto* label = about.findChild<QLabel*>(QString::fromLatin1(names[line]));
            QVERIFY(label);
            QCOMPARE(label->textFormat() == Qt::RichText, isLink[line]);
            // What the user reads, whatever markup carries it.
            const QString read = isLink[line]
                                     ? QTextDocumentFragment::fromHtml(label->text()).toPlainText()
                                     : label->text();
            QCOMPARE(read, shown[line]);
            QCOMPARE(label->cursor().shape(),
                     isLink[line] ? Qt::PointingHandCursor : Qt::ArrowCursor);
            clickText(*label);
        }
        QCOMPARE(shell.opened, opened);
        // The handlers themselves open nothing unset either.
        shell.opened.clear();
        about.CommentsClick();
        about.Label2Click();
        about.Label4Click();
        QCOMPARE(shell.opened, opened);
    }

    // The version comes from the project, in the form "V2.4".
    void versionIsTheProjectVersion() {
        test::RecordingShellOpener shell;
        TAboutBox about(shell, ProgramLinks{});
        auto* version = about.findChild<QLabel*>(QStringLiteral("Version"));
        QVERIFY(version);
        QCOMPARE(version->text(), QStringLiteral("V") + QString::fromUtf8(projectVersion));
        QVERIFY(QString::fromUtf8(projectVersion).contains(QRegularExpression("^\\d+\\.\\d+")));
    }
};

} // namespace quorbel

QTEST_MAIN(quorbel::AboutTest)
#include "about_test.moc"
