#pragma once

#include "global/coretext.h"
#include "platform/renamefilesystem.h"
#include "renamelist/journalstore.h"
#include "renamelist/renamejournal.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

class RenameList;

namespace resultword {
inline constexpr CoreText undone{"已撤销", "Undone"};
} // namespace resultword

namespace undotext {
inline constexpr CoreText undone{"撤销 %1 个文件", "Renamed %1 files back", "Renamed 1 file back"};
} // namespace undotext

struct UndoSummary {
    int undone = 0;
    // "new-->old 原因:word" for each rename whose way back is blocked.
    std::string failures;
    // The blocked renames, kept so a later undo can try them again.
    std::vector<JournalEntry> remaining;
};

// Renames back every file the journal records as renamed, last renamed first,
// never replacing a file. A rename whose outcome the journal lacks (the run
// was cut short) is tried too; when its way back is blocked it most likely
// never happened, and it is skipped without a word. With a list, each row that
// names a file by its new path follows what happened: column 2 gets the old
// name back, column 6 "已撤销" or the reason the way back was refused.
UndoSummary undoRenames(const std::vector<JournalEntry>& entries, RenameFileSystem& fileSystem,
                        RenameList* list = nullptr);

// "撤销 n 个文件".
std::string undoneStatusText(int undone);

// Whether a journal records any rename that may need undoing.
bool hasRenamesToUndo(const JournalContents& contents);

enum class LastRunUndo {
    Nothing,  // no journal, or nothing in it to undo
    Undone,   // summary says what happened
    Unusable, // damaged or unreadable: set aside, nothing renamed
    Busy      // a run is writing the journal right now
};

struct LastRunUndoResult {
    LastRunUndo status = LastRunUndo::Nothing;
    JournalRead read;         // the journal as it was read
    std::string setAsidePath; // where an unusable journal went; "" if it stayed
    UndoSummary summary;
    bool journalUpdated = true; // false when the blocked renames could not be kept
};

// The whole undo of the last run, for every front end: reads the journal,
// never applies one that is damaged (it is set aside instead), undoes the
// rest and keeps only the renames still blocked for a later try.
LastRunUndoResult undoLastRun(const JournalStore& store, RenameFileSystem& fileSystem,
                              RenameList* list = nullptr);

} // namespace quorbel
