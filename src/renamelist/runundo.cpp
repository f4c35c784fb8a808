// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/runundo.h"

#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"

#include <algorithm>
#include <memory>
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

// The undo's calls on journal paths, each split into its directory and name,
// so they go through the session's handle of the directory.
class SessionPaths {
public:
    explicit SessionPaths(RenameFileSystem& fileSystem) : session_(fileSystem.openSession()) {}

    std::optional<FileIdentity> identify(const std::string& path) {
        const std::string_view name = split(path, from_);
        return session_->identify(from_, name);
    }
    FsStatus rename(const std::string& from, const std::string& to) {
        const std::string_view fromName = split(from, from_);
        const std::string_view toName = split(to, to_);
        return session_->rename(from_, fromName, to_, toName);
    }

private:
    static std::string_view split(const std::string& path, std::string& directory) {
        const auto slash = path.rfind('/');
        const auto nameStart = slash == std::string::npos ? 0 : slash + 1;
        directory.assign(path, 0, nameStart);
        return std::string_view(path).substr(nameStart);
    }

    std::unique_ptr<RenameSession> session_;
    std::string from_;
    std::string to_;
};

} // namespace

namespace {

enum class WayBack { Move, AlreadyThere, Foreign, Missing };

struct IdentityHash {
    std::size_t operator()(const std::pair<std::uint64_t, std::uint64_t>& id) const {
        return std::hash<std::uint64_t>{}(id.first * 0x9E3779B97F4A7C15ull ^ id.second);
    }
};

// Where each file stood before the run: the old path of its first rename. A
// file renamed twice (a swap through a spare name) that is back there already
// needs neither of its renames undone. Only where the renames of one identity
// form one chain: two hard links of a file renamed apart share it.
class FirstPlaces {
public:
    explicit FirstPlaces(const std::vector<JournalEntry>& entries) {
        for (const JournalEntry& entry : entries) {
            if (!entry.identified() || entry.outcome == JournalOutcome::NotRenamed)
                continue;
            const auto [found, added] =
                chains_.try_emplace({entry.device, entry.inode}, Chain{&entry.oldPath, &entry.newPath});
            if (added)
                continue;
            Chain& chain = found->second;
            if (chain.first && *chain.last == entry.oldPath)
                chain.last = &entry.newPath;
            else
                chain.first = nullptr; // more than one chain: no shortcut
        }
    }
    // nullptr when the identity is not one chain.
    const std::string* of(const JournalEntry& entry) const {
        return chains_.at({entry.device, entry.inode}).first;
    }

private:
    struct Chain {
        const std::string* first;
        const std::string* last;
    };
    std::unordered_map<std::pair<std::uint64_t, std::uint64_t>, Chain, IdentityHash> chains_;
};

// Whether the file at the new name may go back: only the file the run renamed.
WayBack wayBack(const JournalEntry& entry, const FirstPlaces& first, SessionPaths& fs) {
    if (!entry.identified())
        return entry.outcome == JournalOutcome::Renamed ? WayBack::Move : WayBack::AlreadyThere;
    const auto same = [&entry](const std::optional<FileIdentity>& file) {
        return file && file->device == entry.device && file->inode == entry.inode;
    };
    if (same(fs.identify(entry.oldPath)))
        return WayBack::AlreadyThere; // never renamed, or back already
    const std::string* firstPlace = first.of(entry);
    if (firstPlace && *firstPlace != entry.oldPath && same(fs.identify(*firstPlace)))
        return WayBack::AlreadyThere;
    const std::optional<FileIdentity> atNew = fs.identify(entry.newPath);
    if (same(atNew))
        return WayBack::Move;
    return atNew ? WayBack::Foreign : WayBack::Missing;
}

} // namespace

UndoSummary undoRenames(const std::vector<JournalEntry>& entries, RenameFileSystem& fileSystem,
                        RenameList* list) {
    UndoSummary summary;
    RowsByPath rows(list);
    const FirstPlaces first(entries);
    if (list)
        list->beginUpdate();
    // One session for the whole undo: its handles are opened now, for the
    // folders as they are now, and let go when it ends.
    SessionPaths paths(fileSystem);
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (entry->outcome == JournalOutcome::NotRenamed)
            continue;
        const WayBack way = wayBack(*entry, first, paths);
        if (way == WayBack::AlreadyThere)
            continue;
        ResultWord word = way == WayBack::Foreign   ? &resultword::notRenamedFile
                          : way == WayBack::Missing ? &resultword::sourceMissing
                                                    : nullptr;
        if (!word) {
            const FsStatus status = paths.rename(entry->newPath, entry->oldPath);
            if (status == FsStatus::Ok) {
                ++summary.undone;
                rows.undone(*entry);
                continue;
            }
            word = resultWordFor(status);
        }
        summary.failures += failureLine(entry->newPath, entry->oldPath, word->text());
        ++summary.left;
        rows.blocked(*entry, word->text());
    }
    if (list)
        list->endUpdate();
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

LatestRun latestRunToUndo(const JournalStore& store, bool onlyCutShort) {
    for (const KeptRun& run : store.runs()) {
        // The end of a journal tells an undone or finished run without reading
        // a million renames.
        const std::string last = store.lastRecord(run.path);
        if (last == "undone")
            continue;
        if (onlyCutShort && (last == "finished" || last == "closed"))
            return {};
        LatestRun latest{run.path, store.read(run.path)};
        const JournalReadStatus status = latest.read.status;
        if (status == JournalReadStatus::Missing)
            continue;
        if (status == JournalReadStatus::Ok &&
            (latest.read.contents.undone || !hasRenamesToUndo(latest.read.contents)))
            continue;
        return latest;
    }
    return {};
}

LastRunUndoResult undoLastRun(const JournalStore& store, RenameFileSystem& fileSystem,
                              RenameList* list) {
    LastRunUndoResult result;
    bool busy = false;
    std::string error;
    const std::unique_ptr<HistoryLock> lock = store.lock(busy, error);
    if (!lock) {
        result.status = busy ? LastRunUndo::Busy : LastRunUndo::Unusable;
        result.read.status = JournalReadStatus::Unreadable;
        result.read.problem = error;
        return result;
    }
    LatestRun latest = latestRunToUndo(store);
    result.journal = latest.journal;
    result.read = std::move(latest.read);
    switch (result.read.status) {
    case JournalReadStatus::Damaged:
    case JournalReadStatus::Unreadable:
        result.status = LastRunUndo::Unusable;
        result.setAsidePath = store.setAside(result.journal);
        return result;
    case JournalReadStatus::Missing:
    case JournalReadStatus::Busy:
        return result;
    case JournalReadStatus::Ok:
        break;
    }
    result.status = LastRunUndo::Undone;
    result.summary = undoRenames(result.read.contents.entries, fileSystem, list);
    JournalText mark;
    mark.undone(result.summary.undone);
    result.journalUpdated = store.append(result.journal, mark.text());
    return result;
}

std::vector<RunSummaryLine> describeHistory(const JournalStore& store) {
    std::vector<RunSummaryLine> lines;
    for (const KeptRun& run : store.runs()) {
        const JournalRead read = store.read(run.path);
        RunSummaryLine line;
        line.number = run.number;
        line.status = read.status;
        const JournalContents& contents = read.contents;
        line.startedAt = contents.startedAt;
        line.folders = contents.directories.size();
        if (!contents.directories.empty())
            line.folder = contents.directories.front();
        for (const JournalEntry& entry : contents.entries) {
            line.renamed += entry.outcome == JournalOutcome::Renamed;
            line.unknown += entry.outcome == JournalOutcome::Unknown;
        }
        line.finished = contents.finished;
        line.undone = contents.undone;
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace quorbel
