#include "renamelist/runundo.h"

#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"

#include <algorithm>
#include <unordered_map>

namespace quorbel {
namespace {

// Rows by the path their columns 2, 4 and 5 name now.
class RowsByPath {
public:
    explicit RowsByPath(RenameList* list) : list_(list) {
        if (!list_)
            return;
        rows_.reserve(static_cast<std::size_t>(list_->RowCount()));
        for (int row = list_->RowCount() - 1; row >= 1; --row)
            rows_[list_->oldPath(row)] = row; // the topmost row wins
    }

    void undone(const JournalEntry& entry) {
        const int row = find(entry.newPath);
        if (row == 0)
            return;
        const std::string& directory = list_->getCell(RenameList::Directory, row);
        const std::string& extension = list_->getCell(RenameList::Extension, row);
        const std::string& path = entry.oldPath;
        if (path.size() >= directory.size() + extension.size() && path.starts_with(directory) &&
            path.ends_with(extension))
            list_->setCell(
                RenameList::OldName, row,
                path.substr(directory.size(), path.size() - directory.size() - extension.size()));
        list_->setCell(RenameList::Result, row, resultword::undone.text());
    }

    void blocked(const JournalEntry& entry, std::string_view word) {
        if (const int row = find(entry.newPath))
            list_->setCell(RenameList::Result, row, std::string(word));
    }

private:
    int find(const std::string& path) const {
        const auto found = rows_.find(path);
        return found == rows_.end() ? 0 : found->second;
    }

    RenameList* list_;
    std::unordered_map<std::string, int> rows_;
};

} // namespace

UndoSummary undoRenames(const std::vector<JournalEntry>& entries, RenameFileSystem& fileSystem,
                        RenameList* list) {
    UndoSummary summary;
    RowsByPath rows(list);
    if (list)
        list->beginUpdate();
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (entry->outcome == JournalOutcome::NotRenamed)
            continue;
        const FsStatus status = fileSystem.renameNoReplace(entry->newPath, entry->oldPath);
        if (status == FsStatus::Ok) {
            ++summary.undone;
            rows.undone(*entry);
            continue;
        }
        if (entry->outcome == JournalOutcome::Unknown)
            continue;
        const std::string_view word = resultWordFor(status)->text();
        summary.failures += failureLine(entry->newPath, entry->oldPath, word);
        summary.remaining.push_back(*entry);
        rows.blocked(*entry, word);
    }
    if (list)
        list->endUpdate();
    std::reverse(summary.remaining.begin(), summary.remaining.end()); // journal order
    return summary;
}

std::string undoneStatusText(int undone) {
    return undotext::undone.count(undone);
}

bool hasRenamesToUndo(const JournalContents& contents) {
    return std::any_of(contents.entries.begin(), contents.entries.end(), [](const auto& entry) {
        return entry.outcome != JournalOutcome::NotRenamed;
    });
}

LastRunUndoResult undoLastRun(const JournalStore& store, RenameFileSystem& fileSystem,
                              RenameList* list) {
    LastRunUndoResult result;
    result.read = store.read();
    switch (result.read.status) {
    case JournalReadStatus::Damaged:
    case JournalReadStatus::Unreadable:
        result.status = LastRunUndo::Unusable;
        result.setAsidePath = store.setAside();
        return result;
    case JournalReadStatus::Busy:
        result.status = LastRunUndo::Busy;
        return result;
    case JournalReadStatus::Missing:
        return result;
    case JournalReadStatus::Ok:
        break;
    }
    if (!hasRenamesToUndo(result.read.contents))
        return result;
    result.status = LastRunUndo::Undone;
    result.summary = undoRenames(result.read.contents.entries, fileSystem, list);
    result.journalUpdated = store.replace(result.summary.remaining);
    return result;
}

} // namespace quorbel
