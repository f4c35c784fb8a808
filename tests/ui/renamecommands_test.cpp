// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main.h"
#include "platform/posixfilesystem.h"
#include "renamelist/renamegrid.h"
#include "renamelist/renamelistmodel.h"
#include "support/fakeservices.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(quorbel::ProgramLinks)
Q_DECLARE_METATYPE(std::vector<std::string>)

namespace quorbel {
namespace {

// The real file system, with a look at the window at each rename.
class WatchingFileSystem : public PosixFileSystem {
public:
    explicit WatchingFileSystem(TfrmMain*& window) : window_(window) {}
    FsStatus renameNoReplace(const std::string& from, const std::string& to) override {
        barVisible = window_->pb()->isVisible();
        const QCursor* cursor = QApplication::overrideCursor();
        waitCursor = cursor && cursor->shape() == Qt::WaitCursor;
        memoAtRename = window_->memFile()->toPlainText();
        return PosixFileSystem::renameNoReplace(from, to);
    }
    bool barVisible = false;
    bool waitCursor = false;
    QString memoAtRename;

private:
    TfrmMain*& window_;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void touch(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class RenameCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void runRenamesReportsAndRefreshesOnce();
    void runShowsBusyStateOnlyWhileRenaming();
    void runOnStartStateCountsNothing();
    void runRequestsTheHomePageOnlyWhenOneIsSet_data();
    void runRequestsTheHomePageOnlyWhenOneIsSet();
    void clearResultsEmptiesOnlyTheResultColumn();
    void saveWritesTheListWithCrLf_data();
    void saveWritesTheListWithCrLf();
    void saveAfterRunWritesTheFailureLines();
    void saveCancelledWritesNothing();
    void saveReportsAFileThatCannotBeCreated();
    void clearListEmptiesOnlyTheFailureList();

private:
    QString path(const char* name) const { return dir_->filePath(QString::fromUtf8(name)); }
    void fillThreeFiles();
    void clickButton(const char* name);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::FakeServices> fake_;
    std::unique_ptr<TfrmMain> window_;
};

void RenameCommandsTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    fake_ = std::make_unique<test::FakeServices>();
    window_ = std::make_unique<TfrmMain>(fake_->services(), LocaleFormat{});
    window_->show();
}

void RenameCommandsTest::cleanup() {
    window_.reset();
    fake_.reset();
    dir_.reset();
}

// a.jpg is renamed, b.jpg collides with the existing c.jpg.
void RenameCommandsTest::fillThreeFiles() {
    touch(path("a.jpg"), "a");
    touch(path("b.jpg"), "b");
    touch(path("c.jpg"), "c");
    window_->fillGrid({path("a.jpg").toStdString(), path("b.jpg").toStdString()});
    window_->renameList().setCell(RenameList::NewName, 1, "B01");
    window_->renameList().setCell(RenameList::NewName, 2, "c");
}

void RenameCommandsTest::clickButton(const char* name) {
    auto* button = window_->findChild<QPushButton*>(QString::fromUtf8(name));
    QVERIFY(button);
    button->click();
}

void RenameCommandsTest::runRenamesReportsAndRefreshesOnce() {
    fillThreeFiles();
    QSignalSpy refreshes(window_->advGrid()->listModel(), &QAbstractItemModel::dataChanged);
    window_->action("actRename")->trigger();

    const RenameList& list = window_->renameList();
    QCOMPARE(list.getCell(RenameList::Result, 1), std::string("成功"));
    QCOMPARE(list.getCell(RenameList::Result, 2), std::string("失败,文件重复"));
    QCOMPARE(list.getCell(RenameList::OldName, 1), std::string("B01"));
    QCOMPARE(list.getCell(RenameList::OldName, 2), std::string("b"));
    QCOMPARE(window_->memFile()->toPlainText(),
             path("b.jpg") + "-->" + path("c.jpg") + QStringLiteral(" 原因:失败,文件重复\n"));
    QCOMPARE(window_->statusText(), QStringLiteral("成功替换 1 个文件"));
    QCOMPARE(readAll(path("B01.jpg")), QByteArray("a"));
    QCOMPARE(readAll(path("c.jpg")), QByteArray("c"));
    QVERIFY(fake_->shell.opened.empty()); // the build sets no home page
    QCOMPARE(refreshes.count(), 1);
    QVERIFY(fake_->messages.shown.empty());
}

void RenameCommandsTest::runShowsBusyStateOnlyWhileRenaming() {
    TfrmMain* window = nullptr;
    WatchingFileSystem watcher(window);
    Services services = fake_->services();
    services.fileSystem = &watcher;
    TfrmMain own(services, LocaleFormat{});
    window = &own;
    own.show();
    touch(path("a.jpg"), "a");
    own.fillGrid({path("a.jpg").toStdString()});
    own.renameList().setCell(RenameList::NewName, 1, "x");
    own.memFile()->setPlainText(QStringLiteral("left from before"));

    own.action("actRename")->trigger();

    QVERIFY(watcher.barVisible);
    QVERIFY(watcher.waitCursor);
    QCOMPARE(watcher.memoAtRename, QString());
    QVERIFY(!own.pb()->isVisible());
    QCOMPARE(own.pb()->maximum(), 2);
    QCOMPARE(own.pb()->value(), 1);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QCOMPARE(readAll(path("x.jpg")), QByteArray("a"));
}

void RenameCommandsTest::runOnStartStateCountsNothing() {
    window_->action("actRename")->trigger();
    QCOMPARE(window_->renameList().getCell(RenameList::Result, 1), std::string("保持不变"));
    QCOMPARE(window_->memFile()->toPlainText(), QString());
    QCOMPARE(window_->statusText(), QStringLiteral("成功替换 0 个文件"));
}

void RenameCommandsTest::runRequestsTheHomePageOnlyWhenOneIsSet_data() {
    QTest::addColumn<ProgramLinks>("links");
    QTest::addColumn<std::vector<std::string>>("opened");
    QTest::newRow("no address") << ProgramLinks{} << std::vector<std::string>{};
    QTest::newRow("home page set") << ProgramLinks{"https://quorbel.test/", "", ""}
                                   << std::vector<std::string>{"https://quorbel.test/"};
    QTest::newRow("all set") << ProgramLinks{"https://quorbel.test/", "https://quorbel.test/faq",
                                             "lab@quorbel.test"}
                             << std::vector<std::string>{"https://quorbel.test/"};
    // The run's page is the home page alone, never the About box's others.
    QTest::newRow("only the other links set")
        << ProgramLinks{"", "https://quorbel.test/faq", "lab@quorbel.test"}
        << std::vector<std::string>{};
}

// Also with the list in its start state, where the run renames nothing.
void RenameCommandsTest::runRequestsTheHomePageOnlyWhenOneIsSet() {
    QFETCH(ProgramLinks, links);
    QFETCH(std::vector<std::string>, opened);
    fake_->links = links;
    TfrmMain own(fake_->services(), LocaleFormat{});
    own.action("actRename")->trigger();
    QCOMPARE(own.statusText(), QStringLiteral("成功替换 0 个文件"));
    QCOMPARE(fake_->shell.opened, opened);
    own.action("actRename")->trigger();
    QCOMPARE(fake_->shell.opened.size(), 2 * opened.size());
}

void RenameCommandsTest::clearResultsEmptiesOnlyTheResultColumn() {
    fillThreeFiles();
    window_->action("actRename")->trigger();
    const QString memo = window_->memFile()->toPlainText();
    window_->action("actClearResult")->trigger();

    const RenameList& list = window_->renameList();
    for (int row = 1; row < list.RowCount(); ++row)
        QCOMPARE(list.getCell(RenameList::Result, row), std::string());
    QCOMPARE(list.getCell(RenameList::Result, 0), std::string("处理结果"));
    QCOMPARE(list.getCell(RenameList::OldName, 1), std::string("B01"));
    QCOMPARE(list.getCell(RenameList::NewName, 2), std::string("c"));
    QCOMPARE(window_->memFile()->toPlainText(), memo);
    QCOMPARE(window_->statusText(), QStringLiteral("成功替换 1 个文件"));
}

void RenameCommandsTest::saveWritesTheListWithCrLf_data() {
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lines a run appended")
        << QStringLiteral("/p/a.jpg-->/p/b.jpg 原因:失败,文件重复\n/p/c-->/p/d 原因:失败,只读\n")
        << QByteArray("/p/a.jpg-->/p/b.jpg \xE5\x8E\x9F\xE5\x9B\xA0:\xE5\xA4\xB1\xE8\xB4\xA5,"
                      "\xE6\x96\x87\xE4\xBB\xB6\xE9\x87\x8D\xE5\xA4\x8D\r\n"
                      "/p/c-->/p/d \xE5\x8E\x9F\xE5\x9B\xA0:\xE5\xA4\xB1\xE8\xB4\xA5,"
                      "\xE5\x8F\xAA\xE8\xAF\xBB\r\n");
    QTest::newRow("user edit without final break")
        << QStringLiteral("x\ny") << QByteArray("x\r\ny");
    QTest::newRow("empty list") << QString() << QByteArray();
}

void RenameCommandsTest::saveWritesTheListWithCrLf() {
    QFETCH(QString, memo);
    QFETCH(QByteArray, bytes);
    const QString target = path("failures.txt");
    touch(target, "an older and longer file that must be replaced");
    window_->memFile()->setPlainText(memo);
    fake_->files.answers.push_back(target);

    clickButton("bbtnSaveFiles");

    QCOMPARE(readAll(target), bytes);
    QCOMPARE(fake_->files.filters, QStringList{QStringLiteral("TXT (*.txt)")});
    QCOMPARE(fake_->files.suffixes, QStringList{QStringLiteral("txt")});
    QVERIFY(fake_->messages.shown.empty());
}

void RenameCommandsTest::saveAfterRunWritesTheFailureLines() {
    fillThreeFiles();
    window_->action("actRename")->trigger();
    const QString target = path("failures.txt");
    fake_->files.answers.push_back(target);
    clickButton("bbtnSaveFiles");
    const QString line =
        path("b.jpg") + "-->" + path("c.jpg") + QStringLiteral(" 原因:失败,文件重复\r\n");
    QCOMPARE(readAll(target), line.toUtf8());
}

void RenameCommandsTest::saveCancelledWritesNothing() {
    window_->memFile()->setPlainText(QStringLiteral("x"));
    fake_->files.answers.push_back(QString());
    clickButton("bbtnSaveFiles");
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList());
    QVERIFY(fake_->messages.shown.empty());
}

void RenameCommandsTest::saveReportsAFileThatCannotBeCreated() {
    const QString target = path("missing/failures.txt");
    window_->memFile()->setPlainText(QStringLiteral("kept"));
    fake_->files.answers.push_back(target);

    clickButton("bbtnSaveFiles");

    QCOMPARE(fake_->messages.shown.size(), size_t(1));
    QCOMPARE(fake_->messages.shown[0].kind, QStringLiteral("error"));
    QCOMPARE(fake_->messages.shown[0].text, "Cannot create file " + target + ".");
    QCOMPARE(window_->memFile()->toPlainText(), QStringLiteral("kept"));
    QVERIFY(!QFile::exists(target));
}

void RenameCommandsTest::clearListEmptiesOnlyTheFailureList() {
    fillThreeFiles();
    window_->action("actRename")->trigger();
    clickButton("bbtnClearList");
    QCOMPARE(window_->memFile()->toPlainText(), QString());
    QCOMPARE(window_->statusText(), QStringLiteral("成功替换 1 个文件"));
    QCOMPARE(window_->renameList().getCell(RenameList::Result, 2), std::string("失败,文件重复"));
}

} // namespace quorbel

QTEST_MAIN(quorbel::RenameCommandsTest)
#include "renamecommands_test.moc"
