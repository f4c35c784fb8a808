// SPDX-License-Identifier: GPL-3.0-or-later
// The mapping-table dialog's steps through its real widgets, with the
// open-file dialog scripted and the workbooks held in memory.
#include "mapping/linkexcel.h"
#include "support/fakeservices.h"
#include "support/fakeworkbooks.h"
#include "support/linkexceldriver.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <memory>

using namespace quorbel;
using namespace quorbel::test;

namespace {

const FakeSheet names{
    "名单", {"文件名", "新名", "Name", "name", "序号 列"}, {{"a", "b", "c", "d", "1"}}};
const FakeSheet other{"Sheet2", {"old", "new"}, {{"x", "y"}}};

// One dialog over fake services, shown (not modal) so its drop-downs open.
struct Setup {
    FakeServices fake;
    FakeWorkbooks books;
    std::unique_ptr<TfrmLinkExcel> dialog;
    std::unique_ptr<LinkExcelDriver> user;

    Setup() {
        books.add("/data/a.xls", {names, other});
        books.add("/data/b.xlsx", {FakeSheet{"名单", {"旧", "新"}, {}}});
        dialog = std::make_unique<TfrmLinkExcel>(fake.services(), books.opener());
        dialog->show();
        user = std::make_unique<LinkExcelDriver>(*dialog, fake.files);
    }

    // Workbook a, sheet 名单, columns 文件名 and 新名.
    void reachReady() {
        user->chooseFile(QStringLiteral("/data/a.xls"));
        user->chooseSheet(QStringLiteral("名单"));
        user->chooseOld(QStringLiteral("文件名"));
        user->chooseNew(QStringLiteral("新名"));
        QVERIFY(user->ok()->isEnabled());
    }

    void verifyColumnListsEmpty() const {
        QCOMPARE(user->oldNames()->count(), 0);
        QCOMPARE(user->newNames()->count(), 0);
        QCOMPARE(user->oldNames()->currentText(), QString());
        QCOMPARE(user->newNames()->currentText(), QString());
        QVERIFY(!user->ok()->isEnabled());
    }
};

QStringList columnsOf(const FakeSheet& sheet) {
    QStringList texts;
    for (const std::string& name : sheet.columns)
        texts << QString::fromStdString(name);
    return texts;
}

} // namespace

class LinkExcelTest : public QObject {
    Q_OBJECT
private slots:
    void startsFresh();
    void offersXlsFirstThenTheOtherFormats();
    void choosingWorkbookListsSheetsWithNoneSelected();
    void choosingSheetFillsBothColumnListsInOrder();
    void okRule_data();
    void okRule();
    void okFollowsEveryColumnChange();
    void cancellingFileDialogInReadyChangesNothing();
    void newWorkbookInReadyStartsStepOneAgain();
    void sameWorkbookAgainReopensIt();
    void sameSheetAgainRereadsIt();
    void emptySheetAndEmptyWorkbookLeaveOkDisabled();
    void readerErrorIsShownAndStateKept_data();
    void readerErrorIsShownAndStateKept();
    void sheetChoiceAfterFailedOpenTriesTheNewFile();
    void okAcceptsAndCancelRejects();
    void closingTheDialogClosesTheWorkbook();
};

void LinkExcelTest::startsFresh() {
    Setup s;
    QCOMPARE(s.dialog->windowTitle(), QStringLiteral("对应表"));
    QStringList groups;
    for (const QGroupBox* group : s.dialog->findChildren<QGroupBox*>())
        groups << group->title();
    QVERIFY(groups.contains(QStringLiteral("第一步:获取数据")));
    QVERIFY(groups.contains(QStringLiteral("第二步:对应关系")));
    QVERIFY(groups.contains(QStringLiteral("选择表页(sheet)")));
    auto* bar = s.dialog->findChild<QStatusBar*>(QStringLiteral("StatusBar1"));
    QVERIFY(bar);
    QCOMPARE(bar->findChild<QLabel*>()->text(),
             QStringLiteral("仅对Excel97/2000进行测试,更高版未经测试"));
    QCOMPARE(s.dialog->findChild<QPushButton*>(QStringLiteral("bbtnGetFile"))->text(),
             QStringLiteral("选择Excel表"));
    QCOMPARE(s.user->ok()->text(), QStringLiteral("确定"));
    QVERIFY(s.user->ok()->isDefault());
    QCOMPARE(s.user->cancel()->text(), QStringLiteral("取消"));
    QCOMPARE(s.user->sheets()->count(), 0);
    s.verifyColumnListsEmpty();
    QVERIFY(!s.dialog->connected());
    QCOMPARE(s.books.opened, 0);
}

void LinkExcelTest::offersXlsFirstThenTheOtherFormats() {
    Setup s;
    s.user->chooseFile(QString());
    QCOMPARE(s.fake.files.filters.size(), 1);
    const QStringList entries = s.fake.files.filters.first().split(QStringLiteral(";;"));
    QCOMPARE(entries.first(), QStringLiteral("Excel (*.xls)"));
    QCOMPARE(s.fake.files.suffixes, QStringList{QStringLiteral("xls")});
    for (const char* pattern : {"(*.xlsx)", "(*.ods)", "(*.csv)", "(*.txt)"})
        QVERIFY2(s.fake.files.filters.first().contains(QLatin1String(pattern)), pattern);
}

void LinkExcelTest::choosingWorkbookListsSheetsWithNoneSelected() {
    Setup s;
    s.user->chooseFile(QStringLiteral("/data/a.xls"));
    QCOMPARE(LinkExcelDriver::items(s.user->sheets()),
             (QStringList{QStringLiteral("名单"), QStringLiteral("Sheet2")}));
    QCOMPARE(s.user->sheets()->currentIndex(), -1);
    QCOMPARE(s.user->sheets()->currentText(), QString());
    s.verifyColumnListsEmpty();
    QVERIFY(s.dialog->connected());
    QVERIFY(s.books.reads.empty());
}

void LinkExcelTest::choosingSheetFillsBothColumnListsInOrder() {
    Setup s;
    s.user->chooseFile(QStringLiteral("/data/a.xls"));
    s.user->chooseSheet(QStringLiteral("名单"));
    QCOMPARE(LinkExcelDriver::items(s.user->oldNames()), columnsOf(names));
    QCOMPARE(LinkExcelDriver::items(s.user->newNames()), columnsOf(names));
    QCOMPARE(s.user->oldNames()->currentIndex(), -1);
    QCOMPARE(s.user->newNames()->currentIndex(), -1);
    QVERIFY(!s.user->ok()->isEnabled());
    QCOMPARE(s.books.reads, (std::vector<std::string>{"/data/a.xls|名单"}));
    QVERIFY(s.dialog->table());
    QCOMPARE(s.dialog->table()->columnNames(), names.columns);
}

void LinkExcelTest::okRule_data() {
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<int>("oldColumn"); // -1: left unchosen
    QTest::addColumn<int>("newColumn");
    QTest::addColumn<bool>("enabled");
    const QStringList mixed = columnsOf(names);
    QTest::newRow("two different columns") << mixed << 0 << 1 << true;
    QTest::newRow("same column twice") << mixed << 1 << 1 << false;
    QTest::newRow("names differing only in case") << mixed << 2 << 3 << true;
    QTest::newRow("name with a blank") << mixed << 4 << 0 << true;
    QTest::newRow("only the old name chosen") << mixed << 0 << -1 << false;
    QTest::newRow("only the new name chosen") << mixed << -1 << 1 << false;
    const QStringList twins{QStringLiteral("key"), QStringLiteral("key"), QStringLiteral("v")};
    QTest::newRow("two columns of the same name") << twins << 0 << 1 << false;
    const QStringList blank{QString(), QStringLiteral("v")};
    QTest::newRow("a column without a name") << blank << 0 << 1 << false;
}

void LinkExcelTest::okRule() {
    QFETCH(QStringList, columns);
    QFETCH(int, oldColumn);
    QFETCH(int, newColumn);
    QFETCH(bool, enabled);
    Setup s;
    FakeSheet sheet{"s", {}, {}};
    for (const QString& column : columns)
        sheet.columns.push_back(column.toStdString());
    s.books.add("/data/c.xls", {sheet});
    s.user->chooseFile(QStringLiteral("/data/c.xls"));
    s.user->chooseSheet(QStringLiteral("s"));
    if (oldColumn >= 0)
        LinkExcelDriver::chooseAt(s.user->oldNames(), oldColumn);
    if (newColumn >= 0)
        LinkExcelDriver::chooseAt(s.user->newNames(), newColumn);
    QCOMPARE(s.user->ok()->isEnabled(), enabled);
    QCOMPARE(s.dialog->ready(), enabled);
}

void LinkExcelTest::okFollowsEveryColumnChange() {
    Setup s;
    s.user->chooseFile(QStringLiteral("/data/a.xls"));
    s.user->chooseSheet(QStringLiteral("名单"));
    s.user->chooseOld(QStringLiteral("新名"));
    s.user->chooseNew(QStringLiteral("新名"));
    QVERIFY(!s.user->ok()->isEnabled());
    s.user->chooseNew(QStringLiteral("文件名"));
    QVERIFY(s.user->ok()->isEnabled());
    s.user->chooseOld(QStringLiteral("文件名"));
    QVERIFY(!s.user->ok()->isEnabled());
    s.user->chooseOld(QStringLiteral("Name"));
    QVERIFY(s.user->ok()->isEnabled());
    QCOMPARE(s.dialog->oldNameColumn(), 2);
    QCOMPARE(s.dialog->newNameColumn(), 0);
}

void LinkExcelTest::cancellingFileDialogInReadyChangesNothing() {
    Setup s;
    s.reachReady();
    s.user->chooseFile(QString());
    QVERIFY(s.user->ok()->isEnabled());
    QCOMPARE(s.user->sheets()->currentText(), QStringLiteral("名单"));
    QCOMPARE(s.user->oldNames()->currentText(), QStringLiteral("文件名"));
    QCOMPARE(s.user->newNames()->currentText(), QStringLiteral("新名"));
    QCOMPARE(s.books.opened, 1);
    QVERIFY(s.dialog->connected());
    QVERIFY(s.dialog->table());
}

void LinkExcelTest::newWorkbookInReadyStartsStepOneAgain() {
    Setup s;
    s.reachReady();
    // b.xlsx has a sheet of the same name; it must still be chosen again.
    s.user->chooseFile(QStringLiteral("/data/b.xlsx"));
    QCOMPARE(LinkExcelDriver::items(s.user->sheets()), QStringList{QStringLiteral("名单")});
    QCOMPARE(s.user->sheets()->currentIndex(), -1);
    s.verifyColumnListsEmpty();
    QVERIFY(!s.dialog->table());
    QCOMPARE(s.books.opened, 2);
    QCOMPARE(s.books.live, 1); // the first workbook was closed
    s.user->chooseSheet(QStringLiteral("名单"));
    QCOMPARE(LinkExcelDriver::items(s.user->oldNames()),
             (QStringList{QStringLiteral("旧"), QStringLiteral("新")}));
}

void LinkExcelTest::sameWorkbookAgainReopensIt() {
    Setup s;
    s.reachReady();
    s.user->chooseFile(QStringLiteral("/data/a.xls"));
    QCOMPARE(s.books.opened, 2);
    QCOMPARE(s.books.live, 1);
    QCOMPARE(s.user->sheets()->count(), 2);
    QCOMPARE(s.user->sheets()->currentIndex(), -1);
    s.verifyColumnListsEmpty();
}

void LinkExcelTest::sameSheetAgainRereadsIt() {
    Setup s;
    s.reachReady();
    s.user->chooseSheet(QStringLiteral("名单"));
    QCOMPARE(s.books.reads.size(), size_t(2));
    QCOMPARE(s.user->sheets()->currentText(), QStringLiteral("名单"));
    QCOMPARE(LinkExcelDriver::items(s.user->oldNames()), columnsOf(names));
    QCOMPARE(s.user->oldNames()->currentIndex(), -1);
    QCOMPARE(s.user->newNames()->currentIndex(), -1);
    QVERIFY(!s.user->ok()->isEnabled());
}

void LinkExcelTest::emptySheetAndEmptyWorkbookLeaveOkDisabled() {
    Setup s;
    s.books.add("/data/empty-sheet.xls", {FakeSheet{"空表", {}, {}}});
    s.books.add("/data/no-sheets.xls", {});
    s.user->chooseFile(QStringLiteral("/data/empty-sheet.xls"));
    s.user->chooseSheet(QStringLiteral("空表"));
    s.verifyColumnListsEmpty();
    s.user->chooseFile(QStringLiteral("/data/no-sheets.xls"));
    QCOMPARE(s.user->sheets()->count(), 0);
    s.verifyColumnListsEmpty();
    QVERIFY(s.fake.messages.shown.empty());
}

void LinkExcelTest::readerErrorIsShownAndStateKept_data() {
    QTest::addColumn<QString>("failing"); // the step of the damaged workbook that fails
    QTest::newRow("open") << QStringLiteral("open");
    QTest::newRow("sheet list") << QStringLiteral("list");
    QTest::newRow("sheet read") << QStringLiteral("read");
}

void LinkExcelTest::readerErrorIsShownAndStateKept() {
    QFETCH(QString, failing);
    Setup s;
    FakeWorkbook& damaged = s.books.add("/data/damaged.xls", {names});
    if (failing == "read") {
        s.user->chooseFile(QStringLiteral("/data/damaged.xls"));
        s.user->chooseSheet(QStringLiteral("名单"));
        s.user->chooseOld(QStringLiteral("文件名"));
    } else {
        s.reachReady();
    }
    (failing == "open"   ? damaged.openError
     : failing == "list" ? damaged.listError
                         : damaged.readError) = "The file is damaged";
    QVERIFY(s.fake.messages.shown.empty());
    if (failing == "read")
        s.user->chooseSheet(QStringLiteral("名单"));
    else
        s.user->chooseFile(QStringLiteral("/data/damaged.xls"));

    QCOMPARE(s.fake.messages.shown.size(), size_t(1));
    QCOMPARE(s.fake.messages.shown[0].kind, QStringLiteral("error"));
    QCOMPARE(s.fake.messages.shown[0].text, QStringLiteral("The file is damaged."));
    QVERIFY(s.dialog->isVisible());
    s.verifyColumnListsEmpty();
    QVERIFY(!s.dialog->table());
    // The sheet list is left as the earlier workbook or sheet choice had it.
    QCOMPARE(s.user->sheets()->count(), 1 + (failing != "read" ? 1 : 0));
    QCOMPARE(s.user->sheets()->currentText(), QStringLiteral("名单"));
    QCOMPARE(s.dialog->connected(), failing != "open");
    QCOMPARE(s.books.live, failing != "open" ? 1 : 0);
}

void LinkExcelTest::sheetChoiceAfterFailedOpenTriesTheNewFile() {
    Setup s;
    FakeWorkbook& locked = s.books.add("/data/b.xlsx", {FakeSheet{"名单", {"旧", "新"}, {}}});
    locked.openError = "The file is locked";
    s.reachReady();
    s.user->chooseFile(QStringLiteral("/data/b.xlsx"));
    QCOMPARE(s.fake.messages.shown.size(), size_t(1));
    // The list still offers a.xls's sheets; the chosen name is read from b.xlsx.
    s.user->chooseSheet(QStringLiteral("名单"));
    QCOMPARE(s.fake.messages.shown.size(), size_t(1));
    QCOMPARE(s.books.reads.back(), std::string("/data/b.xlsx|名单"));
    QCOMPARE(LinkExcelDriver::items(s.user->oldNames()),
             (QStringList{QStringLiteral("旧"), QStringLiteral("新")}));
}

void LinkExcelTest::okAcceptsAndCancelRejects() {
    Setup s;
    s.reachReady();
    QTest::mouseClick(s.user->ok(), Qt::LeftButton);
    QCOMPARE(s.dialog->result(), int(QDialog::Accepted));
    // The sheet stays with the dialog for the command to apply.
    QVERIFY(s.dialog->table());
    QVERIFY(s.dialog->connected());

    Setup cancelled;
    cancelled.reachReady();
    QTest::mouseClick(cancelled.user->cancel(), Qt::LeftButton);
    QCOMPARE(cancelled.dialog->result(), int(QDialog::Rejected));
}

void LinkExcelTest::closingTheDialogClosesTheWorkbook() {
    Setup s;
    s.reachReady();
    QCOMPARE(s.books.live, 1);
    s.dialog.reset();
    QCOMPARE(s.books.live, 0);
}

QTEST_MAIN(LinkExcelTest)
#include "linkexcel_test.moc"
