#pragma once

#include "platform/renamefilesystem.h"
#include "renamelist/renamejournal.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

class RenameList;

namespace resultword {
inline constexpr std::string_view undone = "已撤销";
} // namespace resultword

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

} // namespace quorbel
