// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main.h"
#include "platform/posixfilesystem.h"
#include "renamelist/journalstore.h"
#include "support/fakeservices.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

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

std::string cell(TfrmMain& window, int column, int row) {
    return window.renameList().getCell(column, row);
}

} // namespace

class SafeRunCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void precheckPredictsWhatTheRunThenDoes();
    void undoRestoresWhatItCanAndReportsTheRest();
    void undoWithoutAJournalSaysSo();
    void runThatRenamesNothingKeepsTheRunBefore();
    void busyHistoryStopsRunAndUndo();
    void damagedJournalIsSetAsideAndNothingMoves();
    void renameRefusesToStartWithoutAJournal();
    void startUpOffersUndoOfAnUnfinishedRun_data();
    void startUpOffersUndoOfAnUnfinishedRun();
    void startUpIsSilentAfterAFinishedRun();

private:
    QString path(const char* name) const { return dir_->filePath(QString::fromUtf8(name)); }
    std::string file(const char* name) const { return path(name).toStdString(); }
    JournalStore store() const { return JournalStore(fake_->services().journalDirectory); }
    void fill(const std::vector<std::pair<const char*, const char*>>& rows);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::FakeServices> fake_;
    std::unique_ptr<TfrmMain> window_;
};

void SafeRunCommandsTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    fake_ = std::make_unique<test::FakeServices>();
    window_ = std::make_unique<TfrmMain>(fake_->services(), LocaleFormat{});
    window_->show();
}

void SafeRunCommandsTest::cleanup() {
    window_.reset();
    fake_.reset();
    dir_.reset();
}

// One row per (file, new name); each file holds its own name.
void SafeRunCommandsTest::fill(const std::vector<std::pair<const char*, const char*>>& rows) {
    std::vector<std::string> paths;
    for (const auto& [name, newName] : rows) {
        touch(path(name), name);
        paths.push_back(file(name));
    }
    window_->fillGrid(paths);
    for (std::size_t i = 0; i < rows.size(); ++i)
        window_->renameList().setCell(RenameList::NewName, static_cast<int>(i) + 1, rows[i].second);
}

void SafeRunCommandsTest::precheckPredictsWhatTheRunThenDoes() {
    // b to c meets the existing c, which moves away only later; d to a takes
    // the name that the first row frees.
    fill({{"a.jpg", "B01"}, {"b.jpg", "c"}, {"d.jpg", "a"}, {"c.jpg", "e"}});
    window_->action("actPrecheck")->trigger();

    const std::vector<std::string> words{"成功", "失败,文件重复", "成功", "成功"};
    for (int row = 1; row <= 4; ++row)
        QCOMPARE(cell(*window_, RenameList::Result, row), "预计:" + words[row - 1]);
    QCOMPARE(window_->memFile()->toPlainText(),
             path("b.jpg") + "-->" + path("c.jpg") + QStringLiteral(" 原因:失败,文件重复\n"));
    QCOMPARE(window_->statusText(), QStringLiteral("预检: 3 个文件可以换名, 1 个将失败"));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files),
             QStringList({"a.jpg", "b.jpg", "c.jpg", "d.jpg"}));
    QVERIFY(fake_->shell.opened.empty());
    QVERIFY(fake_->messages.shown.empty());

    window_->action("actRename")->trigger();
    for (int row = 1; row <= 4; ++row)
        QCOMPARE(cell(*window_, RenameList::Result, row), words[row - 1]);
}

void SafeRunCommandsTest::undoRestoresWhatItCanAndReportsTheRest() {
    // c takes the name a gave up: undo must move c away before a comes back.
    fill({{"a.jpg", "x"}, {"b.jpg", "y"}, {"c.jpg", "a"}});
    window_->action("actRename")->trigger();
    QCOMPARE(window_->statusText(), QStringLiteral("成功替换 3 个文件"));
    touch(path("b.jpg"), "taken meanwhile");

    window_->action("actUndo")->trigger();

    QCOMPARE(readAll(path("a.jpg")), QByteArray("a.jpg"));
    QCOMPARE(readAll(path("b.jpg")), QByteArray("taken meanwhile"));
    QCOMPARE(readAll(path("y.jpg")), QByteArray("b.jpg"));
    QCOMPARE(readAll(path("c.jpg")), QByteArray("c.jpg"));
    QCOMPARE(cell(*window_, RenameList::OldName, 1), std::string("a"));
    QCOMPARE(cell(*window_, RenameList::Result, 1), std::string("已撤销"));
    QCOMPARE(cell(*window_, RenameList::OldName, 2), std::string("y"));
    QCOMPARE(cell(*window_, RenameList::Result, 2), std::string("失败,文件重复"));
    QCOMPARE(cell(*window_, RenameList::OldName, 3), std::string("c"));
    QCOMPARE(cell(*window_, RenameList::Result, 3), std::string("已撤销"));
    QCOMPARE(window_->memFile()->toPlainText(),
             path("y.jpg") + "-->" + path("b.jpg") + QStringLiteral(" 原因:失败,文件重复\n"));
    QCOMPARE(window_->statusText(), QStringLiteral("撤销 2 个文件"));
    QVERIFY(fake_->messages.shown.empty());

    // The run is undone as far as it could be; the next undo finds nothing.
    window_->action("actUndo")->trigger();
    QCOMPARE(fake_->messages.shown.size(), size_t(1));
    QCOMPARE(fake_->messages.shown[0].text, QStringLiteral("没有可以撤销的换名"));
    QCOMPARE(readAll(path("y.jpg")), QByteArray("b.jpg"));
}

// A run that renames nothing (every row unchanged, or no rows) leaves the
// history as it was: the real run before it can still be undone.
void SafeRunCommandsTest::runThatRenamesNothingKeepsTheRunBefore() {
    fill({{"a.jpg", "x"}});
    window_->action("actRename")->trigger();
    window_->renameList().setCell(RenameList::NewName, 1, "x");
    window_->action("actRename")->trigger();
    QCOMPARE(cell(*window_, RenameList::Result, 1), std::string("保持不变"));
    QCOMPARE(store().runs().size(), size_t(1));
    window_->action("actUndo")->trigger();
    QVERIFY(fake_->messages.shown.empty());
    QCOMPARE(readAll(path("a.jpg")), QByteArray("a.jpg"));
}

// While another run or undo holds the history, neither command touches a file.
void SafeRunCommandsTest::busyHistoryStopsRunAndUndo() {
    fill({{"a.jpg", "x"}});
    bool busy = false;
    std::string error;
    const auto held = store().lock(busy, error);
    QVERIFY(held);
    window_->action("actRename")->trigger();
    window_->action("actUndo")->trigger();
    QCOMPARE(fake_->messages.shown.size(), size_t(2));
    // The run's refusal goes through the error display, which ends it with a stop.
    QCOMPARE(fake_->messages.shown[0].text, QStringLiteral("另一个换名或撤销正在进行."));
    QCOMPARE(fake_->messages.shown[1].text, QStringLiteral("另一个换名或撤销正在进行"));
    QVERIFY(QFile::exists(path("a.jpg")));
    QCOMPARE(cell(*window_, RenameList::Result, 1), std::string());
}

void SafeRunCommandsTest::undoWithoutAJournalSaysSo() {
    window_->action("actUndo")->trigger();
    QCOMPARE(fake_->messages.shown.size(), size_t(1));
    QCOMPARE(fake_->messages.shown[0].kind, QStringLiteral("information"));
    QCOMPARE(fake_->messages.shown[0].text, QStringLiteral("没有可以撤销的换名"));
    QCOMPARE(window_->statusText(), QString());
}

void SafeRunCommandsTest::damagedJournalIsSetAsideAndNothingMoves() {
    fill({{"a.jpg", "x"}});
    window_->action("actRename")->trigger();
    const QString journal = QString::fromStdString(store().runs().front().path);
    QByteArray text = readAll(journal);
    text.replace("rename\t", "rename ");
    touch(journal, text);

    window_->action("actUndo")->trigger();

    QCOMPARE(fake_->messages.shown.size(), size_t(1));
    QCOMPARE(fake_->messages.shown[0].kind, QStringLiteral("warning"));
    QCOMPARE(fake_->messages.shown[0].text,
             QStringLiteral("换名记录已损坏(第 3 行校验不符),没有撤销任何文件。记录已另存为 ") +
                 journal + ".damaged-1");
    QCOMPARE(readAll(journal + ".damaged-1"), text);
    QVERIFY(!QFile::exists(journal));
    QCOMPARE(readAll(path("x.jpg")), QByteArray("a.jpg"));
}

void SafeRunCommandsTest::renameRefusesToStartWithoutAJournal() {
    window_.reset();
    touch(path("blocker"), "a file where the journal's directory should be");
    Services services = fake_->services();
    services.journalDirectory = file("blocker") + "/quorbel";
    window_ = std::make_unique<TfrmMain>(services, LocaleFormat{});
    fill({{"a.jpg", "x"}});

    window_->action("actRename")->trigger();

    QCOMPARE(fake_->messages.shown.size(), size_t(1));
    QCOMPARE(fake_->messages.shown[0].kind, QStringLiteral("error"));
    QVERIFY(fake_->messages.shown[0].text.startsWith(
        QStringLiteral("无法写换名记录,没有换名任何文件: ")));
    QVERIFY(QFile::exists(path("a.jpg")));
    QCOMPARE(cell(*window_, RenameList::Result, 1), std::string());
}

void SafeRunCommandsTest::startUpOffersUndoOfAnUnfinishedRun_data() {
    QTest::addColumn<bool>("answer");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

// As a run killed in its first batch leaves things: a journaled and done
// rename, a journaled one never tried, and no outcome line.
void SafeRunCommandsTest::startUpOffersUndoOfAnUnfinishedRun() {
    QFETCH(bool, answer);
    touch(path("a.jpg"), "a");
    touch(path("b.jpg"), "b");
    touch(path("y.jpg"), "in the way");
    {
        bool busy = false;
        std::string error;
        const auto lock = store().lock(busy, error);
        QVERIFY(lock);
        auto journal = store().start(*lock, error);
        QVERIFY(journal);
        const std::string directory = dir_->path().toStdString() + "/";
        const auto a = posixFileSystem().identify(file("a.jpg"));
        const auto b = posixFileSystem().identify(file("b.jpg"));
        QVERIFY(journal->beginBatch({{directory, "a.jpg", "x.jpg", a->device, a->inode},
                                     {directory, "b.jpg", "y.jpg", b->device, b->inode}}));
        QCOMPARE(posixFileSystem().renameNoReplace(file("a.jpg"), file("x.jpg")), FsStatus::Ok);
    }
    fake_->messages.answers.push_back(answer);

    window_->offerUndoOfUnfinishedRun();

    QCOMPARE(fake_->messages.shown.size(), size_t(1));
    QCOMPARE(fake_->messages.shown[0].kind, QStringLiteral("question"));
    QCOMPARE(fake_->messages.shown[0].text,
             QStringLiteral("上次换名没有完成(程序被关闭或中断)。要撤销上次换名吗?"));
    QCOMPARE(QFile::exists(path("a.jpg")), answer);
    QCOMPARE(QFile::exists(path("x.jpg")), !answer);
    QCOMPARE(readAll(path("b.jpg")), QByteArray("b"));
    QCOMPARE(readAll(path("y.jpg")), QByteArray("in the way"));
    QCOMPARE(window_->memFile()->toPlainText(), QString());
    QCOMPARE(window_->statusText(), answer ? QStringLiteral("撤销 1 个文件") : QString());

    // Asked once only; the menu command can still undo it.
    window_->offerUndoOfUnfinishedRun();
    QCOMPARE(fake_->messages.shown.size(), size_t(1));
    window_->action("actUndo")->trigger();
    QVERIFY(QFile::exists(path("a.jpg")));
    QCOMPARE(readAll(path("y.jpg")), QByteArray("in the way"));
}

void SafeRunCommandsTest::startUpIsSilentAfterAFinishedRun() {
    fill({{"a.jpg", "x"}});
    window_->action("actRename")->trigger();
    window_->offerUndoOfUnfinishedRun();
    QVERIFY(fake_->messages.shown.empty());
    QVERIFY(QFile::exists(path("x.jpg")));
}

} // namespace quorbel

QTEST_MAIN(quorbel::SafeRunCommandsTest)
#include "saferuncommands_test.moc"
