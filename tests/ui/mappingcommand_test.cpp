// SPDX-License-Identifier: GPL-3.0-or-later
// The "对应表" command from the main window's action to the rename list, with
// the dialog driven through its widgets.
#include "app/main.h"
#include "support/fakeservices.h"
#include "support/fakeworkbooks.h"
#include "support/linkexceldriver.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

using namespace quorbel;
using namespace quorbel::test;

namespace {

struct Row {
    std::string oldName;
    std::string newName;
};

const FakeSheet sheet{"名单",
                      {"文件名", "新名"},
                      {{"IMG_0001", "B01"},
                       {"O'Neil", "oneil"},
                       {"dup", "first"},
                       {"dup", "second"},
                       {"Sample1", ""},
                       {"", "no-key"}}};

struct Choice {
    QString file;
    QString sheet;
    QString oldColumn;
    QString newColumn;
};

// A main window over fake services whose rename list holds the given rows.
struct Setup {
    FakeServices fake;
    FakeWorkbooks books;
    std::unique_ptr<TfrmMain> main;
    QPointer<QDialog> shown;

    explicit Setup(const std::vector<Row>& rows, bool realReaders = false) {
        books.add("/data/a.xls", {sheet});
        if (!realReaders)
            fake.workbooks = books.opener();
        main = std::make_unique<TfrmMain>(fake.services(), LocaleFormat{});
        RenameList& list = main->renameList();
        list.setRowCount(static_cast<int>(rows.size()) + 1);
        for (size_t i = 0; i < rows.size(); ++i) {
            list.setCell(RenameList::OldName, static_cast<int>(i) + 1, rows[i].oldName);
            list.setCell(RenameList::NewName, static_cast<int>(i) + 1, rows[i].newName);
        }
        main->setStatusText(QStringLiteral("earlier"));
    }

    // Queues a user who makes the choice and then presses OK or Cancel.
    void answer(const Choice& choice, bool pressOk) {
        fake.dialogs.scripts.push_back([this, choice, pressOk](QDialog& dialog) {
            shown = &dialog;
            dialog.show();
            LinkExcelDriver user(dialog, fake.files);
            user.chooseFile(choice.file);
            if (!choice.sheet.isEmpty()) {
                user.chooseSheet(choice.sheet);
                user.chooseOld(choice.oldColumn);
                user.chooseNew(choice.newColumn);
            }
            QTest::mouseClick(pressOk ? user.ok() : user.cancel(), Qt::LeftButton);
            return dialog.result();
        });
    }

    void run() { main->action("actExcel")->trigger(); }

    std::vector<std::string> newNames() const {
        std::vector<std::string> names;
        for (int row = 1; row < main->renameList().RowCount(); ++row)
            names.push_back(main->renameList().getCell(RenameList::NewName, row));
        return names;
    }
};

const Choice complete{QStringLiteral("/data/a.xls"), QStringLiteral("名单"),
                      QStringLiteral("文件名"), QStringLiteral("新名")};

const std::vector<Row> files{
    {"IMG_0001", "old"}, {"O'Neil", ""},      {"dup", ""}, {"dup", "first"},
    {"Sample1", "was"},  {"missing", "stay"}, {"", "x"}};

QString copiedFixture(const QTemporaryDir& dir, const QString& name) {
    const QString target = dir.filePath(name);
    QFile::copy(QStringLiteral(QUORBEL_FIXTURES "/mapping/") + name, target);
    return target;
}

} // namespace

class MappingCommandTest : public QObject {
    Q_OBJECT
private slots:
    void writesMatchedRowsAndCountsMatches();
    void listWithoutFileRowsCountsNothing();
    void cancelledDialogChangesNothing_data();
    void cancelledDialogChangesNothing();
    void realWorkbook_data();
    void realWorkbook();
    void damagedRealWorkbookIsReportedInTheDialog();
};

void MappingCommandTest::writesMatchedRowsAndCountsMatches() {
    Setup s(files);
    s.answer(complete, true);
    s.run();
    QCOMPARE(s.fake.dialogs.runs, 1);
    // Unmatched rows keep their new name; an empty new-name cell empties it and
    // counts; a match equal to the current name counts; duplicates take the first.
    QCOMPARE(s.newNames(),
             (std::vector<std::string>{"B01", "oneil", "first", "first", "", "stay", "x"}));
    QCOMPARE(s.main->statusText(), QStringLiteral("使用对应表对应 5 个文件"));
    QVERIFY(s.fake.messages.shown.empty());
    QVERIFY(s.shown.isNull());
    QCOMPARE(s.books.live, 0);
    QCOMPARE(s.books.reads.size(), size_t(1)); // OK does not read the sheet again
}

void MappingCommandTest::listWithoutFileRowsCountsNothing() {
    Setup s({});
    s.main->renameList().setRowCount(1);
    s.answer(complete, true);
    s.run();
    QCOMPARE(s.main->statusText(), QStringLiteral("使用对应表对应 0 个文件"));
    QCOMPARE(s.books.live, 0);
}

void MappingCommandTest::cancelledDialogChangesNothing_data() {
    QTest::addColumn<bool>("chosen");
    QTest::newRow("cancel in Ready") << true;
    QTest::newRow("cancel before any choice") << false;
}

void MappingCommandTest::cancelledDialogChangesNothing() {
    QFETCH(bool, chosen);
    Setup s(files);
    const std::vector<std::string> before = s.newNames();
    s.answer(chosen ? complete : Choice{}, false);
    s.run();
    QCOMPARE(s.fake.dialogs.runs, 1);
    QCOMPARE(s.newNames(), before);
    QCOMPARE(s.main->statusText(), QStringLiteral("earlier"));
    QVERIFY(s.shown.isNull());
    QCOMPARE(s.books.live, 0);
}

void MappingCommandTest::realWorkbook_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<std::vector<std::string>>("expected");
    QTest::addColumn<int>("matches");
    const std::vector<std::string> full{"B01", "oneil", "first", "first", "", "stay", "x"};
    QTest::newRow("xls") << QStringLiteral("mapping.xls") << QStringLiteral("名单") << full << 5;
    QTest::newRow("xlsx") << QStringLiteral("mapping.xlsx") << QStringLiteral("名单") << full << 5;
    QTest::newRow("ods") << QStringLiteral("mapping.ods") << QStringLiteral("名单") << full << 5;
    const std::vector<std::string> csv{"B01", "oneil", "", "first", "was", "stay", "x"};
    QTest::newRow("csv") << QStringLiteral("mapping.csv") << QStringLiteral("mapping") << csv << 2;
    QTest::newRow("csv gbk") << QStringLiteral("mapping-gbk.csv") << QStringLiteral("mapping-gbk")
                             << csv << 2;
    QTest::newRow("csv semicolon") << QStringLiteral("mapping-semicolon.csv")
                                   << QStringLiteral("mapping-semicolon") << csv << 2;
    QTest::newRow("unicode text") << QStringLiteral("mapping-unicode.txt")
                                  << QStringLiteral("mapping-unicode") << csv << 2;
}

void MappingCommandTest::realWorkbook() {
    QFETCH(QString, file);
    QFETCH(QString, sheet);
    QFETCH(std::vector<std::string>, expected);
    QFETCH(int, matches);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Setup s(files, true);
    s.answer({copiedFixture(dir, file), sheet, QStringLiteral("文件名"), QStringLiteral("新名")},
             true);
    s.run();
    QVERIFY(s.fake.messages.shown.empty());
    QCOMPARE(s.newNames(), expected);
    QCOMPARE(s.main->statusText(), QStringLiteral("使用对应表对应 %1 个文件").arg(matches));
    QVERIFY(s.shown.isNull());
}

void MappingCommandTest::damagedRealWorkbookIsReportedInTheDialog() {
    QTemporaryDir dir;
    Setup s(files, true);
    const std::vector<std::string> before = s.newNames();
    for (const QString& name :
         {QStringLiteral("truncated.xls"), QStringLiteral("not-a-workbook.xls")})
        s.answer({copiedFixture(dir, name), {}, {}, {}}, false);
    s.run();
    s.run();
    QCOMPARE(s.fake.messages.shown.size(), size_t(2));
    for (const ShownMessage& message : s.fake.messages.shown) {
        QCOMPARE(message.kind, QStringLiteral("error"));
        QVERIFY(!message.text.isEmpty());
    }
    QCOMPARE(s.newNames(), before);
    QCOMPARE(s.main->statusText(), QStringLiteral("earlier"));
}

QTEST_MAIN(MappingCommandTest)
#include "mappingcommand_test.moc"
