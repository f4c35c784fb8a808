// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/exportcommand.h"
#include "app/main.h"
#include "mapping/workbookreader.h"
#include "renamelist/renamelist.h"
#include "support/fakeservices.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace quorbel {
namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void touch(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// Root passes every permission check; for the time of the export act as an
// ordinary user, whom the directory's mode bits do stop.
class OrdinaryUser {
public:
    OrdinaryUser() : dropped_(::geteuid() == 0 && ::seteuid(65534) == 0) {}
    ~OrdinaryUser() {
        if (dropped_ && ::seteuid(0) != 0)
            qFatal("cannot become root again");
    }
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

    bool permissionsApply() const { return dropped_ || ::geteuid() != 0; }

private:
    bool dropped_;
};

struct ListState {
    std::vector<std::string> cells;
    int sortColumn;
    SortDirection direction;
    CellCoord current;
    bool operator==(const ListState&) const = default;
};

ListState stateOf(const RenameList& list) {
    ListState state{
        {}, list.sortSettings().Column, list.sortSettings().Direction, list.currentCell()};
    for (int row = 0; row < list.RowCount(); ++row) {
        for (int column = 0; column < RenameList::ColCount; ++column)
            state.cells.push_back(list.getCell(column, row));
    }
    return state;
}

} // namespace

class ExportCommandTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void offersXlsFirstThenXlsx();
    void writesTheWholeListAndLeavesItAsItWas();
    void formatFollowsTypedExtensionThenFileType_data();
    void formatFollowsTypedExtensionThenFileType();
    void reportsReplacedBytesInTheStatusBar();
    void unwritableDirectoryKeepsTheOldFile();
    void tooManyRowsForXlsAreRefusedBeforeWriting();
    void fileOfTheListIsNeverTheTarget();

private:
    QString path(const char* name) const { return dir_->filePath(QString::fromUtf8(name)); }
    void exportTo(const QString& target, int filterIndex = 0);
    void expectOneError(const QStringList& parts);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::FakeServices> fake_;
    std::unique_ptr<TfrmMain> window_;
};

void ExportCommandTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    fake_ = std::make_unique<test::FakeServices>();
    window_ = std::make_unique<TfrmMain>(fake_->services(), LocaleFormat{});
    window_->show();
}

void ExportCommandTest::cleanup() {
    QVERIFY(!QApplication::overrideCursor());
    window_.reset();
    fake_.reset();
    dir_.reset();
}

void ExportCommandTest::exportTo(const QString& target, int filterIndex) {
    fake_->files.answers.push_back(target);
    fake_->files.filterChoices.push_back(filterIndex);
    window_->action("actSaveToExcel")->trigger();
}

void ExportCommandTest::expectOneError(const QStringList& parts) {
    QCOMPARE(fake_->messages.shown.size(), size_t(1));
    QCOMPARE(fake_->messages.shown[0].kind, QStringLiteral("error"));
    for (const QString& part : parts)
        QVERIFY2(fake_->messages.shown[0].text.contains(part),
                 qPrintable(fake_->messages.shown[0].text));
}

// Cancel writes nothing and leaves an existing file alone.
void ExportCommandTest::offersXlsFirstThenXlsx() {
    touch(path("list.xls"), "old");
    exportTo(QString());
    QCOMPARE(fake_->files.filters,
             QStringList{QStringLiteral("EXCEL (*.xls);;EXCEL 2007 (*.xlsx)")});
    QCOMPARE(fake_->files.suffixes, QStringList{QStringLiteral("xls;;xlsx")});
    QCOMPARE(readAll(path("list.xls")), QByteArray("old"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"list.xls"});
    QVERIFY(fake_->messages.shown.empty());
}

void ExportCommandTest::writesTheWholeListAndLeavesItAsItWas() {
    window_->fillGrid({"/lab/b.ab1", "/lab/a.ab1", "/lab/c.seq"});
    RenameList& list = window_->renameList();
    list.setCell(RenameList::NewName, 2, "新名称\r\n二");
    list.headerClick(RenameList::OldName);
    list.requestCell(RenameList::NewName, 3);
    const ListState before = stateOf(list);
    touch(path("list.xls"), "an older file");

    exportTo(path("list.xls"));

    QVERIFY(fake_->messages.shown.empty());
    QCOMPARE(stateOf(list), before);
    QCOMPARE(window_->statusText(), QString());
    const MappingTable table = openWorkbook(path("list.xls").toStdString())->readSheet("Sheet1");
    QCOMPARE(table.rowCount(), size_t(3));
    for (int row = 1; row < list.RowCount(); ++row) {
        for (int column = 1; column < RenameList::ColCount; ++column) {
            std::string expected = list.getCell(column, row);
            std::erase(expected, '\r');
            QCOMPARE(table.cell(static_cast<size_t>(row - 1), column - 1).text, expected);
        }
    }
}

void ExportCommandTest::formatFollowsTypedExtensionThenFileType_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<QByteArray>("signature");
    const QByteArray xls("\xD0\xCF\x11\xE0", 4);
    const QByteArray xlsx("PK\x03\x04", 4);
    QTest::newRow("xls picked") << "a.xls" << 0 << xls;
    QTest::newRow("xlsx picked") << "a.xlsx" << 1 << xlsx;
    QTest::newRow("typed .xls beats xlsx entry") << "a.xls" << 1 << xls;
    QTest::newRow("typed .XLSX beats xls entry") << "a.XLSX" << 0 << xlsx;
    QTest::newRow("other extension, xlsx entry") << "a.dat" << 1 << xlsx;
    QTest::newRow("other extension, xls entry") << "a.dat" << 0 << xls;
}

void ExportCommandTest::formatFollowsTypedExtensionThenFileType() {
    QFETCH(QString, name);
    QFETCH(int, filterIndex);
    QFETCH(QByteArray, signature);
    exportTo(dir_->filePath(name), filterIndex);
    QVERIFY(fake_->messages.shown.empty());
    QCOMPARE(readAll(dir_->filePath(name)).left(4), signature);
}

void ExportCommandTest::reportsReplacedBytesInTheStatusBar() {
    window_->fillGrid({"/gbk/\xD1\xF9.jpg", "/gbk/ok.jpg"});
    exportTo(path("list.xlsx"), 1);
    QVERIFY(fake_->messages.shown.empty());
    QCOMPARE(window_->statusText(), replacedCellsStatusText(1));
    QVERIFY(window_->statusText().contains(QStringLiteral("1 个单元格")));
}

void ExportCommandTest::unwritableDirectoryKeepsTheOldFile() {
    QVERIFY(QDir(dir_->path()).mkdir(QStringLiteral("locked")));
    const QString target = path("locked/list.xls");
    touch(target, "old");
    QVERIFY(::chmod(QFile::encodeName(dir_->path()).constData(), 0755) == 0);
    QVERIFY(::chmod(QFile::encodeName(path("locked")).constData(), 0555) == 0);
    window_->fillGrid({"/lab/a.ab1"});
    {
        OrdinaryUser user;
        if (!user.permissionsApply())
            QSKIP("running as root without the right to act as another user");
        exportTo(target);
    }
    QVERIFY(::chmod(QFile::encodeName(path("locked")).constData(), 0755) == 0);
    expectOneError({target, QStringLiteral("Permission denied")});
    QCOMPARE(readAll(target), QByteArray("old"));
    QCOMPARE(QDir(path("locked")).entryList(QDir::Files | QDir::Hidden), QStringList{"list.xls"});
}

void ExportCommandTest::tooManyRowsForXlsAreRefusedBeforeWriting() {
    touch(path("list.xls"), "old");
    window_->renameList().setRowCount(65537);
    exportTo(path("list.xls"));
    expectOneError({QStringLiteral("65537"), QStringLiteral("65536"), QStringLiteral(".xlsx")});
    QCOMPARE(readAll(path("list.xls")), QByteArray("old"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"list.xls"});
}

// The list names data.xls (and, as its new name, b.xls): an export there would
// take the place of a file the list renames.
void ExportCommandTest::fileOfTheListIsNeverTheTarget() {
    touch(path("data.xls"), "the user's own workbook");
    window_->fillGrid({path("data.xls").toStdString()});
    window_->renameList().setCell(RenameList::NewName, 1, "b");
    for (const char* target : {"data.xls", "b.xls"}) {
        fake_->messages.shown.clear();
        exportTo(path(target));
        expectOneError({path(target), QStringLiteral("第 1 行")});
    }
    QCOMPARE(readAll(path("data.xls")), QByteArray("the user's own workbook"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"data.xls"});
}

} // namespace quorbel

QTEST_MAIN(quorbel::ExportCommandTest)
#include "exportcommand_test.moc"
