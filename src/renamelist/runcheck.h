// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/coretext.h"
#include "platform/renamefilesystem.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

class RenameList;

struct RunPrediction {
    // The result word the run would write into each row, as written; words[0]
    // is unused.
    std::vector<std::string_view> words;
    int renamed = 0;      // rows that would get "成功"
    int failed = 0;       // rows that would fail
    std::string failures; // the failure lines the run would write
};

// Predicts the rename run row by row, in its own order, without touching a
// file: each row sees the directories as the rows above it would leave them.
// Reads each directory once; a row then costs one look at its own file (is it
// immutable, whose is it), and names that meet one more (the same file?).
// Equals the run as long as nothing on disk changes in between.
RunPrediction predictRun(const RenameList& list, RenameFileSystem& fileSystem);

namespace checktext {
inline constexpr CoreText status{"预检: %1 个文件可以换名, %2 个将失败",
                                 "Check: %1 can be renamed, %2 would fail"};
inline constexpr CoreText predicted{"预计:", "Expected: "};
} // namespace checktext

// "预检: n 个文件可以换名, m 个将失败".
std::string precheckStatusText(const RunPrediction& prediction);
// "预计:" and the word, as column 6 shows a predicted result.
std::string predictedWord(std::string_view word);

} // namespace quorbel
