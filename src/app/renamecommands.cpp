// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/renamecommands.h"

#include "app/main.h"
#include "platform/filedialogs.h"
#include "platform/posixfilesystem.h"
#include "platform/shellopener.h"
#include "renamelist/journalstore.h"
#include "renamelist/renamerun.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTextCursor>

#include <memory>
#include <stdexcept>

namespace quorbel {
namespace {

// Repainting the bar (and the frame behind it) costs more than a rename; ten
// frames a second are enough.
constexpr qint64 progressRepaintMs = 100;

// The wait cursor and the progress bar go away however the run ends.
class BusyScope {
public:
    BusyScope(QProgressBar& bar, int maximum) : bar_(bar) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        bar_.setMaximum(maximum);
        bar_.setValue(0);
        bar_.show();
        bar_.repaint();
        clock_.start();
    }
    ~BusyScope() {
        bar_.hide();
        QApplication::restoreOverrideCursor();
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

    void advance(int position, bool force) {
        // Even a look at the clock costs something next to a rename, so it is
        // read every few rows only.
        if (!force && (++calls_ % rowsPerClockLook != 0 || clock_.elapsed() < progressRepaintMs))
            return;
        bar_.setValue(position);
        bar_.repaint();
        clock_.restart();
    }

private:
    static constexpr unsigned rowsPerClockLook = 64;
    QProgressBar& bar_;
    QElapsedTimer clock_;
    unsigned calls_ = 0;
};

// The list keeps line breaks as "\n"; the failure text uses CR LF.
QString memoText(const std::string& crlfText) {
    QString text = QString::fromStdString(crlfText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

void appendToMemo(QPlainTextEdit& memo, const std::string& crlfText) {
    if (crlfText.empty())
        return;
    QTextCursor cursor(memo.document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(memoText(crlfText));
}

} // namespace

RenameFileSystem& fileSystemOf(const Services& services) {
    return services.fileSystem ? *services.fileSystem : posixFileSystem();
}

JournalStore journalStoreOf(const Services& services) {
    return JournalStore(services.journalDirectory.empty() ? defaultJournalDirectory()
                                                          : services.journalDirectory);
}

void showFailures(TfrmMain& main, const std::string& crlfLines) {
    main.memFile()->clear();
    appendToMemo(*main.memFile(), crlfLines);
}

// No file is renamed unless the journal that makes the run undoable is there,
// and no other run or undo works on the history meanwhile.
void renameCommand(TfrmMain& main) {
    // Only an address a packager set: with none, no browser opens a dead page.
    if (const std::string& homePage = main.services().links.homePage; !homePage.empty())
        main.services().shell->open(homePage);
    const JournalStore store = journalStoreOf(main.services());
    bool busy = false;
    std::string error;
    const std::unique_ptr<HistoryLock> lock = store.lock(busy, error);
    if (!lock && busy)
        throw std::runtime_error(historyBusyText());
    if (!lock)
        throw std::runtime_error(TfrmMain::tr("无法写换名记录,没有换名任何文件: %1")
                                     .arg(QString::fromStdString(error))
                                     .toStdString());
    const std::unique_ptr<JournalFile> journal = store.start(*lock, error);
    if (!journal)
        throw std::runtime_error(TfrmMain::tr("无法写换名记录,没有换名任何文件: %1")
                                     .arg(QString::fromStdString(error))
                                     .toStdString());
    RenameList& list = main.renameList();
    RenameRunSummary summary;
    {
        BusyScope busy(*main.pb(), list.RowCount());
        main.memFile()->clear();
        RenameRun run(list, fileSystemOf(main.services()), journal.get());
        summary = run.run([&busy](int rowsDone) { busy.advance(rowsDone, false); });
        busy.advance(list.RowCount() - 1, true);
        appendToMemo(*main.memFile(), summary.failures);
        main.setStatusText(QString::fromStdString(renamedStatusText(summary.renamed)));
    }
    store.settle(journal->path(), summary.renamed > 0);
    if (summary.stoppedAtRow > 0)
        throw std::runtime_error(TfrmMain::tr("换名记录写入失败,换名在第 %1 行停止")
                                     .arg(summary.stoppedAtRow)
                                     .toStdString());
}

void clearResultCommand(TfrmMain& main) {
    RenameList& list = main.renameList();
    list.beginUpdate();
    for (int row = 1; row < list.RowCount(); ++row)
        list.setCell(RenameList::Result, row, std::string());
    list.endUpdate();
}

void saveFailuresCommand(TfrmMain& main) {
    const QString path = main.services().files->saveFile(
        &main, QString(), QStringLiteral("TXT (*.txt)"), QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    QString text = main.memFile()->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("Cannot create file " + path.toStdString());
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw std::runtime_error("Cannot write file " + path.toStdString());
}

void clearFailuresCommand(TfrmMain& main) {
    main.memFile()->clear();
}

} // namespace quorbel
