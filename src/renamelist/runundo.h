// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/coretext.h"
#include "platform/renamefilesystem.h"
#include "renamelist/journalstore.h"
#include "renamelist/renamejournal.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

class RenameList;

namespace resultword {
inline constexpr CoreText undone{"已撤销", "Undone"};
// The file at the new name is not the one the run renamed.
inline constexpr CoreText notRenamedFile{"失败,不是换名的文件", "Failed: not the renamed file"};
} // namespace resultword

namespace undotext {
inline constexpr CoreText undone{"撤销 %1 个文件", "Renamed %1 files back", "Renamed 1 file back"};
} // namespace undotext

struct UndoSummary {
    int undone = 0;
    // "new-->old 原因:word" for each rename whose way back is blocked.
    std::string failures;
    int left = 0; // renames left where they are, for the failure list
};

// Renames back, last first and never replacing a file, what the journal says
// the run renamed. Where the journal knows the file's identity, a file is moved
// back only if the file at the new name is that file, recorded or not; a file
// already at its old name is left alone without a word. A rename whose outcome
// is unknown and whose file had no identity is never moved: nothing was at the
// old name when the run looked. With a list, each row that names a file by
// its new path follows what happened: column 2 gets the old name back, column 6
// "已撤销" or the reason the way back was refused.
UndoSummary undoRenames(const std::vector<JournalEntry>& entries, RenameFileSystem& fileSystem,
                        RenameList* list = nullptr);

// "撤销 n 个文件".
std::string undoneStatusText(int undone);

// Whether a journal records any rename that may need undoing.
bool hasRenamesToUndo(const JournalContents& contents);

enum class LastRunUndo {
    Nothing,  // no run in the history is left to undo
    Undone,   // summary says what happened
    Unusable, // damaged or unreadable: set aside, nothing renamed
    Busy      // another run or undo holds the history
};

struct LastRunUndoResult {
    LastRunUndo status = LastRunUndo::Nothing;
    std::string journal;      // the run's journal file
    JournalRead read;         // the journal as it was read
    std::string setAsidePath; // where an unusable journal went; "" if it stayed
    UndoSummary summary;
    bool journalUpdated = true; // false when the undo could not be recorded
};

// The undo of the most recent run not undone yet, for every front end: takes
// the history's lock, never applies a journal that is damaged (it is set aside
// instead), and marks the run undone, so the next undo goes one run further back.
LastRunUndoResult undoLastRun(const JournalStore& store, RenameFileSystem& fileSystem,
                              RenameList* list = nullptr);

// The most recent run not undone yet, as read; status Missing when there is
// none, or when onlyCutShort and that run was not cut short (then it is not read).
struct LatestRun {
    std::string journal;
    JournalRead read;
};
LatestRun latestRunToUndo(const JournalStore& store, bool onlyCutShort = false);

// What --history shows of one kept run.
struct RunSummaryLine {
    std::uint64_t number = 0;
    std::int64_t startedAt = 0;
    std::string folder;     // the first directory of the run
    std::size_t folders = 0;
    std::size_t renamed = 0; // renames recorded as done
    std::size_t unknown = 0; // renames whose outcome a cut-short run never recorded
    JournalReadStatus status = JournalReadStatus::Ok;
    bool finished = false;
    bool undone = false;
};
std::vector<RunSummaryLine> describeHistory(const JournalStore& store);

} // namespace quorbel
