// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about.h"
#include "app/main.h"
#include "app/userlanguage.h"
#include "intake/loadpicture.h"
#include "intake/opendir.h"
#include "mapping/linkexcel.h"
#include "numbering/datenamedialog.h"
#include "numbering/replacedialog.h"
#include "numbering/serialnub.h"
#include "platform/posixfilesystem.h"
#include "support/fakeservices.h"
#include "support/layoutcheck.h"

#include <QApplication>
#include <QProgressBar>
#include <QTest>

#include <functional>
#include <memory>

using namespace quorbel;

namespace {

// The rule dialogs preview their first rows: long names, CJK and Latin.
const RenameList& previewList() {
    static RenameList list = [] {
        RenameList filled;
        filled.fill({"/nowhere/IMG_20250714_093005_a_rather_long_camera_name.jpg",
                     "/nowhere/照片 北京 天安门广场 二〇二五年七月.jpg", "/nowhere/b.jpg"},
                    posixPathRule);
        return filled;
    }();
    return list;
}

} // namespace

using WindowFactory = std::function<std::unique_ptr<QWidget>(test::FakeServices&)>;
Q_DECLARE_METATYPE(WindowFactory)

// Every window drawn with the program's own font and the packaged CJK font, in
// the language QUORBEL_LANG asks for (ctest runs this once per language): no
// control may be cut off by its parent or crossed by a group box's frame, and
// no caption may be wider than its control.
class DialogLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QFont font;
        font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Zen Hei")});
        font.setPixelSize(12);
        QApplication::setFont(font);
        language_ = installUserLanguage(*qApp);
    }

    void everyControlLiesInsideItsParent_data() {
        QTest::addColumn<WindowFactory>("make");
        QTest::newRow("main window") << WindowFactory([](test::FakeServices& fake) {
            auto window = std::make_unique<TfrmMain>(fake.services(), LocaleFormat{});
            window->fillGrid({"/data/a.jpg", "/data/b.jpg"});
            window->pb()->show(); // as during a run
            return std::unique_ptr<QWidget>(std::move(window));
        });
        QTest::newRow("picture chooser") << WindowFactory([](test::FakeServices& fake) {
            return std::unique_ptr<QWidget>(std::make_unique<TfrmLoadPic>(fake.messages));
        });
        QTest::newRow("directory import") << WindowFactory([](test::FakeServices& fake) {
            return std::unique_ptr<QWidget>(std::make_unique<TfrmDir>(fake.files, fake.messages));
        });
        QTest::newRow("numbering") << WindowFactory([](test::FakeServices&) {
            return std::unique_ptr<QWidget>(std::make_unique<TfrmSerial>());
        });
        QTest::newRow("find and replace") << WindowFactory([](test::FakeServices& fake) {
            auto dialog = std::make_unique<TfrmReplace>(previewList(), fake.messages);
            dialog->setRule({"(\\w+)_(\\d+", "$2", true, true}); // the problem line shows
            return std::unique_ptr<QWidget>(std::move(dialog));
        });
        QTest::newRow("names by date taken") << WindowFactory([](test::FakeServices& fake) {
            return std::unique_ptr<QWidget>(
                std::make_unique<TfrmDateName>(previewList(), posixFileSystem(), fake.messages));
        });
        QTest::newRow("mapping table") << WindowFactory([](test::FakeServices& fake) {
            return std::unique_ptr<QWidget>(std::make_unique<TfrmLinkExcel>(fake.services()));
        });
        QTest::newRow("about without addresses") << WindowFactory([](test::FakeServices& fake) {
            return std::unique_ptr<QWidget>(
                std::make_unique<TAboutBox>(fake.shell, ProgramLinks{}));
        });
        // Addresses as long as a line holds, so a packager's own cannot push the layout.
        QTest::newRow("about with addresses") << WindowFactory([](test::FakeServices& fake) {
            const ProgramLinks links{"https://quorbel-renamer.example.net/",
                                     "https://quorbel-renamer.example.net/faq.html",
                                     "maintainer@quorbel.example.net"};
            return std::unique_ptr<QWidget>(std::make_unique<TAboutBox>(fake.shell, links));
        });
    }

    void everyControlLiesInsideItsParent() {
        QFETCH(WindowFactory, make);
        test::FakeServices fake;
        const std::unique_ptr<QWidget> window = make(fake);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QStringList faults = test::controlsOutsideTheirParent(*window);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void everyTextFitsItsControl_data() { everyControlLiesInsideItsParent_data(); }
    void everyTextFitsItsControl() {
        QFETCH(WindowFactory, make);
        test::FakeServices fake;
        const std::unique_ptr<QWidget> window = make(fake);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QStringList faults = test::textsCutOff(*window);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void theEnglishWindowShowsNoChinese_data() { everyControlLiesInsideItsParent_data(); }
    void theEnglishWindowShowsNoChinese() {
        if (language_ != Language::English)
            QSKIP("the Chinese pass");
        QFETCH(WindowFactory, make);
        test::FakeServices fake;
        const std::unique_ptr<QWidget> window = make(fake);
        const QStringList chinese = test::chineseTexts(*window);
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(QLatin1Char('\n'))));
    }

private:
    Language language_ = Language::Chinese;
};

QTEST_MAIN(DialogLayoutTest)
#include "dialoglayout_test.moc"
