// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/saferuncommands.h"

#include "app/main.h"
#include "app/renamecommands.h"
#include "platform/messageboxes.h"
#include "renamelist/journalstore.h"
#include "renamelist/runcheck.h"
#include "renamelist/runundo.h"

#include <QApplication>
#include <QCoreApplication>

namespace quorbel {
namespace {

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

void warn(TfrmMain& main, const QString& message) {
    main.services().messages->warning(&main, QCoreApplication::applicationName(), message);
}

void reportUnusable(TfrmMain& main, const LastRunUndoResult& result) {
    QString message = result.read.status == JournalReadStatus::Damaged
                          ? TfrmMain::tr("换名记录已损坏(%1),没有撤销任何文件。")
                          : TfrmMain::tr("换名记录无法读取(%1),没有撤销任何文件。");
    message = message.arg(text(result.read.problem));
    if (!result.setAsidePath.empty())
        message += TfrmMain::tr("记录已另存为 %1").arg(text(result.setAsidePath));
    else
        message += TfrmMain::tr("记录仍在 %1").arg(text(result.journal));
    warn(main, message);
}

// Says what an undo did, or why it did nothing.
void report(TfrmMain& main, const LastRunUndoResult& result) {
    switch (result.status) {
    case LastRunUndo::Unusable:
        reportUnusable(main, result);
        return;
    case LastRunUndo::Busy:
        warn(main, text(historyBusyText()));
        return;
    case LastRunUndo::Nothing:
        main.services().messages->information(&main, QCoreApplication::applicationName(),
                                              TfrmMain::tr("没有可以撤销的换名"));
        return;
    case LastRunUndo::Undone:
        break;
    }
    showFailures(main, result.summary.failures);
    main.setStatusText(text(undoneStatusText(result.summary.undone)));
    if (!result.journalUpdated)
        warn(main, TfrmMain::tr("换名记录无法更新: %1").arg(text(result.journal)));
}

void undoWithWaitCursor(TfrmMain& main, const JournalStore& store) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const LastRunUndoResult result =
        undoLastRun(store, fileSystemOf(main.services()), &main.renameList());
    QApplication::restoreOverrideCursor();
    report(main, result);
}

} // namespace

void precheckCommand(TfrmMain& main) {
    RenameList& list = main.renameList();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const RunPrediction prediction = predictRun(list, fileSystemOf(main.services()));
    list.beginUpdate();
    for (int row = 1; row < list.RowCount(); ++row)
        list.setCell(RenameList::Result, row,
                     predictedWord(prediction.words[static_cast<std::size_t>(row)]));
    list.endUpdate();
    QApplication::restoreOverrideCursor();
    showFailures(main, prediction.failures);
    main.setStatusText(text(precheckStatusText(prediction)));
}

void undoCommand(TfrmMain& main) {
    undoWithWaitCursor(main, journalStoreOf(main.services()));
}

// Only the most recent run not undone yet is worth a question, when it was cut
// short and holds something to undo; a damaged one is reported (and set
// aside) as the undo command would. A run working right now is left alone.
void offerUndoCommand(TfrmMain& main) {
    const JournalStore store = journalStoreOf(main.services());
    if (store.busy())
        return;
    const LatestRun latest = latestRunToUndo(store, true);
    const JournalRead& read = latest.read;
    if (read.status == JournalReadStatus::Damaged || read.status == JournalReadStatus::Unreadable) {
        LastRunUndoResult unusable;
        unusable.status = LastRunUndo::Unusable;
        unusable.journal = latest.journal;
        unusable.read = read;
        unusable.setAsidePath = store.setAside(latest.journal);
        report(main, unusable);
        return;
    }
    if (read.status != JournalReadStatus::Ok || read.contents.finished || read.contents.closed)
        return;
    const bool undo = hasRenamesToUndo(read.contents) &&
                      main.services().messages->question(
                          &main, QCoreApplication::applicationName(),
                          TfrmMain::tr("上次换名没有完成(程序被关闭或中断)。要撤销上次换名吗?"));
    if (undo) {
        undoWithWaitCursor(main, store);
        return;
    }
    // Asked once; "撤销换名" still can.
    JournalText closed;
    closed.mark("closed");
    store.append(latest.journal, closed.text());
}

} // namespace quorbel
