#include "app/saferuncommands.h"

#include "app/main.h"
#include "app/renamecommands.h"
#include "platform/messageboxes.h"
#include "renamelist/journalstore.h"
#include "renamelist/runcheck.h"
#include "renamelist/runundo.h"

#include <QApplication>
#include <QCoreApplication>

#include <algorithm>

namespace quorbel {
namespace {

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

void warn(TfrmMain& main, const QString& message) {
    main.services().messages->warning(&main, QCoreApplication::applicationName(), message);
}

// A damaged journal is never applied in part: it goes aside, where it can
// be read, and the next run starts a new one.
void reportUnusable(TfrmMain& main, const JournalStore& store, const JournalRead& read) {
    const std::string aside = store.setAside();
    QString message = read.status == JournalReadStatus::Damaged
                          ? QStringLiteral("换名记录已损坏(%1),没有撤销任何文件。")
                          : QStringLiteral("换名记录无法读取(%1),没有撤销任何文件。");
    message = message.arg(text(read.problem));
    if (!aside.empty())
        message += QStringLiteral("记录已另存为 %1").arg(text(aside));
    else
        message += QStringLiteral("记录仍在 %1").arg(text(store.path()));
    warn(main, message);
}

bool hasSomethingToUndo(const JournalContents& contents) {
    return std::any_of(contents.entries.begin(), contents.entries.end(), [](const auto& entry) {
        return entry.outcome != JournalOutcome::NotRenamed;
    });
}

void undoJournal(TfrmMain& main, const JournalStore& store, const JournalContents& contents) {
    UndoSummary summary;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        summary = undoRenames(contents.entries, fileSystemOf(main.services()), &main.renameList());
        QApplication::restoreOverrideCursor();
    }
    showFailures(main, summary.failures);
    main.setStatusText(text(undoneStatusText(summary.undone)));
    if (!store.replace(summary.remaining))
        warn(main, QStringLiteral("换名记录无法更新: %1").arg(text(store.path())));
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
    const JournalStore store = journalStoreOf(main.services());
    const JournalRead read = store.read();
    if (read.status == JournalReadStatus::Damaged || read.status == JournalReadStatus::Unreadable) {
        reportUnusable(main, store, read);
        return;
    }
    if (read.status == JournalReadStatus::Busy) {
        warn(main, QStringLiteral("另一个换名正在进行,请在它结束后再撤销"));
        return;
    }
    if (read.status == JournalReadStatus::Missing || !hasSomethingToUndo(read.contents)) {
        main.services().messages->information(&main, QCoreApplication::applicationName(),
                                              QStringLiteral("没有可以撤销的换名"));
        return;
    }
    undoJournal(main, store, read.contents);
}

void offerUndoCommand(TfrmMain& main) {
    const JournalStore store = journalStoreOf(main.services());
    const JournalRead read = store.read();
    if (read.status == JournalReadStatus::Damaged || read.status == JournalReadStatus::Unreadable) {
        reportUnusable(main, store, read);
        return;
    }
    if (read.status != JournalReadStatus::Ok || read.contents.finished)
        return;
    if (!hasSomethingToUndo(read.contents)) {
        store.replace(read.contents.entries);
        return;
    }
    const bool undo = main.services().messages->question(
        &main, QCoreApplication::applicationName(),
        QStringLiteral("上次换名没有完成(程序被关闭或中断)。要撤销上次换名吗?"));
    if (undo)
        undoJournal(main, store, read.contents);
    else
        store.replace(read.contents.entries); // asked once; "撤销换名" still can
}

} // namespace quorbel
