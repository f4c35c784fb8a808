// SPDX-License-Identifier: GPL-3.0-or-later
// The plate choice "板图" of the mapping-table dialog and the "对应表" command
// filling new names from a plate, through the real widgets and fake dialogs.
#include "app/main.h"
#include "mapping/linkexcel.h"
#include "support/fakeservices.h"
#include "support/fakeworkbooks.h"
#include "support/layoutcheck.h"
#include "support/linkexceldriver.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

using namespace quorbel;
using namespace quorbel::test;

namespace {

// A sheet with a title in A1 and two 96-well blocks, corners A3 and A13; the
// wells read p + block + row letter + column.
FakeSheet twoPlates() {
    FakeSheet sheet{"板图", {"测序板"}, {}};
    sheet.columns.resize(13);
    sheet.columns[1] = "备注";
    for (int block = 1; block <= 2; ++block) {
        sheet.rows.emplace_back(); // empty row above the numbers
        std::vector<std::string> numbers{""};
        for (int c = 1; c <= 12; ++c)
            numbers.push_back(std::to_string(c));
        sheet.rows.push_back(numbers);
        for (int r = 0; r < 8; ++r) {
            const std::string letter(1, static_cast<char>('A' + r));
            std::vector<std::string> row{letter};
            for (int c = 1; c <= 12; ++c)
                row.push_back("p" + std::to_string(block) + letter + std::to_string(c));
            sheet.rows.push_back(row);
        }
    }
    return sheet;
}

const FakeSheet list{"名单", {"文件名", "新名"}, {{"A01", "from-list"}}};

// The same plates with the second block's letter E missing and the first
// block's column 7 written as 8: no block at all.
FakeSheet gappedPlates() {
    FakeSheet sheet = twoPlates();
    sheet.name = "缺号";
    sheet.rows[1][7] = "8";
    sheet.rows[16][0] = "";
    return sheet;
}

struct DialogSetup {
    FakeServices fake;
    FakeWorkbooks books;
    std::unique_ptr<TfrmLinkExcel> dialog;
    std::unique_ptr<LinkExcelDriver> user;
    QCheckBox* plate = nullptr;
    QComboBox* blocks = nullptr;
    QLabel* size = nullptr;

    DialogSetup() {
        books.add("/data/plates.xlsx", {list, twoPlates(), gappedPlates()});
        dialog = std::make_unique<TfrmLinkExcel>(fake.services(), books.opener());
        dialog->show();
        user = std::make_unique<LinkExcelDriver>(*dialog, fake.files);
        plate = dialog->findChild<QCheckBox*>(QStringLiteral("ckbPlate"));
        blocks = dialog->findChild<QComboBox*>(QStringLiteral("cbBlock"));
        size = dialog->findChild<QLabel*>(QStringLiteral("lbPlateSize"));
        user->chooseFile(QStringLiteral("/data/plates.xlsx"));
    }

    // The list path's controls shown and the plate's hidden, or the other way.
    void verifyPage(bool platePage) const {
        QCOMPARE(user->oldNames()->isVisible(), !platePage);
        QCOMPARE(user->newNames()->isVisible(), !platePage);
        QCOMPARE(blocks->isVisible(), platePage);
        QCOMPARE(size->isVisible(), platePage);
    }
};

// A main window over fake services whose list holds these old names, the
// dialog answered with a plate workbook's sheet and block.
struct CommandSetup {
    FakeServices fake;
    std::unique_ptr<TfrmMain> main;

    explicit CommandSetup(const std::vector<std::string>& oldNames) {
        main = std::make_unique<TfrmMain>(fake.services(), LocaleFormat{});
        RenameList& rows = main->renameList();
        rows.setRowCount(static_cast<int>(oldNames.size()) + 1);
        for (size_t i = 0; i < oldNames.size(); ++i) {
            rows.setCell(RenameList::OldName, static_cast<int>(i) + 1, oldNames[i]);
            rows.setCell(RenameList::NewName, static_cast<int>(i) + 1, "before");
        }
    }

    void answer(const QString& file, const QString& sheet, int block, bool pressOk) {
        fake.dialogs.scripts.push_back([this, file, sheet, block, pressOk](QDialog& dialog) {
            dialog.show();
            LinkExcelDriver user(dialog, fake.files);
            user.chooseFile(file);
            user.chooseSheet(sheet);
            if (block > 0)
                LinkExcelDriver::chooseAt(dialog.findChild<QComboBox*>(QStringLiteral("cbBlock")),
                                          block - 1);
            QTest::mouseClick(pressOk ? user.ok() : user.cancel(), Qt::LeftButton);
            return dialog.result();
        });
    }

    std::vector<std::string> newNames() const {
        std::vector<std::string> names;
        for (int row = 1; row < main->renameList().RowCount(); ++row)
            names.push_back(main->renameList().getCell(RenameList::NewName, row));
        return names;
    }
};

QString copiedPlates(const QTemporaryDir& dir, const QString& name) {
    const QString target = dir.filePath(name);
    QFile::copy(QStringLiteral(QUORBEL_FIXTURES "/mapping/plates/") + name, target);
    return target;
}

} // namespace

class PlateTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void listSheetKeepsTheDialogAsItWas();
    void gridWithGapsIsNoPlate();
    void plateSheetOffersItsBlocksInsteadOfColumns();
    void plateChoiceCanBeTurnedOffForTheColumns();
    void anotherSheetOrWorkbookForgetsThePlates();
    void plateControlsLieInsideTheDialog();
    void commandFillsNamesFromTheChosenBlock_data();
    void commandFillsNamesFromTheChosenBlock();
    void cancelledPlateChangesNothing();
    void plateNamesAreRenamedAndUndoneAsAnyNames();
};

void PlateTest::initTestCase() {
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Zen Hei")});
    font.setPixelSize(12);
    QApplication::setFont(font);
}

void PlateTest::listSheetKeepsTheDialogAsItWas() {
    DialogSetup s;
    QVERIFY(!s.plate->isVisible());
    s.user->chooseSheet(QStringLiteral("名单"));
    QVERIFY(!s.plate->isVisible());
    s.verifyPage(false);
    QVERIFY(s.dialog->plateBlocks().empty());
    QVERIFY(!s.dialog->plateChosen());
    s.user->chooseOld(QStringLiteral("文件名"));
    s.user->chooseNew(QStringLiteral("新名"));
    QVERIFY(s.user->ok()->isEnabled());
}

void PlateTest::gridWithGapsIsNoPlate() {
    DialogSetup s;
    s.user->chooseSheet(QStringLiteral("缺号"));
    QVERIFY(!s.plate->isVisible());
    s.verifyPage(false);
    QVERIFY(!s.user->ok()->isEnabled());
    QVERIFY(s.dialog->plateBlocks().empty());
}

void PlateTest::plateSheetOffersItsBlocksInsteadOfColumns() {
    DialogSetup s;
    s.user->chooseSheet(QStringLiteral("板图"));
    QVERIFY(s.plate->isVisible());
    QCOMPARE(s.plate->text(), QStringLiteral("板图"));
    QVERIFY(s.plate->isChecked());
    s.verifyPage(true);
    QCOMPARE(LinkExcelDriver::items(s.blocks),
             (QStringList{QStringLiteral("板 1 (A3)"), QStringLiteral("板 2 (A13)")}));
    QCOMPARE(s.blocks->currentIndex(), 0);
    QCOMPARE(s.size->text(), QStringLiteral("96 孔 (A1–H12)"));
    QVERIFY(s.user->ok()->isEnabled());
    QVERIFY(s.dialog->plateChosen());
    QCOMPARE(s.dialog->chosenBlock()->cornerName(), std::string("A3"));
    LinkExcelDriver::chooseAt(s.blocks, 1);
    QCOMPARE(s.dialog->chosenBlock()->cornerName(), std::string("A13"));
    QVERIFY(s.user->ok()->isEnabled());
}

void PlateTest::plateChoiceCanBeTurnedOffForTheColumns() {
    DialogSetup s;
    s.user->chooseSheet(QStringLiteral("板图"));
    QTest::mouseClick(s.plate, Qt::LeftButton);
    QVERIFY(!s.plate->isChecked());
    s.verifyPage(false);
    QVERIFY(!s.dialog->plateChosen());
    QVERIFY2(!s.user->ok()->isEnabled(), "the columns are not chosen yet");
    QCOMPARE(s.user->oldNames()->count(), 13);
    s.user->chooseOld(QStringLiteral("测序板"));
    s.user->chooseNew(QStringLiteral("备注"));
    QVERIFY(s.user->ok()->isEnabled());
    QTest::mouseClick(s.plate, Qt::LeftButton);
    QVERIFY(s.plate->isChecked());
    s.verifyPage(true);
    QVERIFY(s.dialog->plateChosen());
    QVERIFY(s.user->ok()->isEnabled());
}

void PlateTest::anotherSheetOrWorkbookForgetsThePlates() {
    DialogSetup s;
    s.user->chooseSheet(QStringLiteral("板图"));
    s.user->chooseSheet(QStringLiteral("名单"));
    QVERIFY(!s.plate->isVisible());
    s.verifyPage(false);
    QVERIFY(!s.user->ok()->isEnabled());
    QVERIFY(!s.dialog->plateChosen());

    s.user->chooseSheet(QStringLiteral("板图"));
    s.user->chooseFile(QStringLiteral("/data/plates.xlsx"));
    QVERIFY(!s.plate->isVisible());
    QCOMPARE(s.blocks->count(), 0);
    QVERIFY(!s.user->ok()->isEnabled());
    QVERIFY(!s.dialog->plateChosen());
}

void PlateTest::plateControlsLieInsideTheDialog() {
    DialogSetup s;
    s.user->chooseSheet(QStringLiteral("板图"));
    LinkExcelDriver::chooseAt(s.blocks, 1);
    QVERIFY(QTest::qWaitForWindowExposed(s.dialog.get()));
    const QStringList faults = controlsOutsideTheirParent(*s.dialog);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    // Nothing of the plate choice sits on another control.
    for (QWidget* part : {static_cast<QWidget*>(s.plate), static_cast<QWidget*>(s.blocks)}) {
        for (QWidget* other : s.dialog->findChildren<QWidget*>()) {
            if (other == part || !other->isVisible() ||
                other->parentWidget() != part->parentWidget())
                continue;
            QVERIFY2(!other->geometry().intersects(part->geometry()),
                     qPrintable(part->objectName() + " covers " + other->objectName()));
        }
    }
}

void PlateTest::commandFillsNamesFromTheChosenBlock_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<int>("block");
    QTest::addColumn<std::vector<std::string>>("expected");
    QTest::addColumn<int>("named");
    // Old names: a well, a token, an empty well, two wells, off the plate, none.
    const std::vector<std::string> sample{"S01", "S36", "before", "before", "before", "before"};
    QTest::newRow("96 under a title, xlsx")
        << QStringLiteral("lo-plates.xlsx") << QStringLiteral("96孔") << 0 << sample << 2;
    QTest::newRow("96 under a title, xls")
        << QStringLiteral("lo-plates.xls") << QStringLiteral("96孔") << 0 << sample << 2;
    QTest::newRow("openpyxl") << QStringLiteral("openpyxl-plates.xlsx") << QStringLiteral("96孔")
                              << 0 << sample << 2;
    QTest::newRow("second of two stacked")
        << QStringLiteral("lo-plates.ods") << QStringLiteral("两板") << 2
        << std::vector<std::string>{"Y1", "Y36", "Y96", "before", "before", "before"} << 3;
    QTest::newRow("384 wells") << QStringLiteral("lo-plates.xlsx") << QStringLiteral("384孔") << 0
                               << std::vector<std::string>{"Q001",   "Q060", "Q180",
                                                           "before", "Q293", "before"}
                               << 4;
}

void PlateTest::commandFillsNamesFromTheChosenBlock() {
    QFETCH(QString, file);
    QFETCH(QString, sheet);
    QFETCH(int, block);
    QFETCH(std::vector<std::string>, expected);
    QFETCH(int, named);
    QTemporaryDir dir;
    CommandSetup s({"A01", "run5_C12_16", "H12", "A01_B01", "M5", "notes"});
    s.answer(copiedPlates(dir, file), sheet, block, true);
    s.main->action("actExcel")->trigger();
    QVERIFY(s.fake.messages.shown.empty());
    QCOMPARE(s.newNames(), expected);
    QCOMPARE(s.main->statusText(), QStringLiteral("使用对应表对应 %1 个文件").arg(named));
}

void PlateTest::cancelledPlateChangesNothing() {
    QTemporaryDir dir;
    CommandSetup s({"A01", "B01"});
    s.main->setStatusText(QStringLiteral("earlier"));
    s.answer(copiedPlates(dir, QStringLiteral("lo-plates.xlsx")), QStringLiteral("96孔"), 0, false);
    s.main->action("actExcel")->trigger();
    QCOMPARE(s.newNames(), (std::vector<std::string>{"before", "before"}));
    QCOMPARE(s.main->statusText(), QStringLiteral("earlier"));
}

void PlateTest::plateNamesAreRenamedAndUndoneAsAnyNames() {
    QTemporaryDir dir;
    const QStringList files{QStringLiteral("A01.ab1"), QStringLiteral("run5_C12_16.ab1"),
                            QStringLiteral("H12.ab1")};
    std::vector<std::string> paths;
    for (const QString& name : files) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        paths.push_back(dir.filePath(name).toStdString());
    }
    CommandSetup s({});
    s.main->fillGrid(paths);
    s.answer(copiedPlates(dir, QStringLiteral("lo-plates.xlsx")), QStringLiteral("96孔"), 0, true);
    s.main->action("actExcel")->trigger();
    QDir(dir.path()).remove(QStringLiteral("lo-plates.xlsx"));

    s.main->action("actRename")->trigger();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("H12.ab1"), QStringLiteral("S01.ab1"),
                          QStringLiteral("S36.ab1")}));
    QCOMPARE(s.main->statusText(), QStringLiteral("成功替换 2 个文件"));

    s.main->action("actUndo")->trigger();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
             (QStringList{QStringLiteral("A01.ab1"), QStringLiteral("H12.ab1"),
                          QStringLiteral("run5_C12_16.ab1")}));
}

QTEST_MAIN(PlateTest)
#include "plate_test.moc"
