// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/coretext.h"
#include "platform/renamefilesystem.h"
#include "renamelist/inodetable.h"
#include "renamelist/renamejournal.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorbel {

class RenameList;

// The words column 6 shows for a row. Inside the core a word is the address of
// one of these; its text is taken only where it is written out.
namespace resultword {
inline constexpr CoreText unchanged{"保持不变", "Unchanged"};
inline constexpr CoreText success{"成功", "Renamed"};
inline constexpr CoreText targetExists{"失败,文件重复", "Failed: file exists"};
inline constexpr CoreText sourceMissing{"失败,文件不存在", "Failed: file not found"};
inline constexpr CoreText accessDenied{"失败,没有权限", "Failed: permission denied"};
inline constexpr CoreText readOnly{"失败,只读", "Failed: read-only"};
inline constexpr CoreText invalidName{"失败,名称无效", "Failed: invalid name"};
inline constexpr CoreText cannotRename{"失败,无法改名", "Failed: cannot rename"};
inline constexpr CoreText diskFull{"失败,磁盘已满", "Failed: disk full"};
inline constexpr CoreText sameFileLink{"失败,同一文件的硬链接",
                                       "Failed: hard link to the same file"};
} // namespace resultword
using ResultWord = const CoreText*;

ResultWord resultWordFor(FsStatus status);

namespace runtext {
// Between the paths and the word of a failure-list line.
inline constexpr CoreText reason{" 原因:", " reason: "};
inline constexpr CoreText renamed{"成功替换 %1 个文件", "Renamed %1 files", "Renamed 1 file"};
} // namespace runtext

// "old-->new 原因:word" and the CR LF that ends every line of the failure list.
std::string failureLine(const std::string& oldPath, const std::string& newPath,
                        std::string_view word);

// "成功替换 n 个文件".
std::string renamedStatusText(int renamed);

// Each directory of the list, resolved once, before the first rename, so every
// rename and its journal name the directories as they stood when the run began.
class RunDirectories {
public:
    void resolve(const RenameList& list, RenameFileSystem& fileSystem);
    const ResolvedDirectory& of(int row) const { return directories_[index(row)]; }
    const ResolvedDirectory& at(std::size_t index) const { return directories_[index]; }
    std::size_t index(int row) const { return rowDirectory_[static_cast<std::size_t>(row)]; }
    std::size_t count() const { return directories_.size(); }
    int rowsIn(std::size_t index) const { return rows_[index]; }

private:
    std::vector<ResolvedDirectory> directories_;
    std::vector<std::uint32_t> rowDirectory_;
    std::vector<int> rows_; // rows per directory
};

// A new file name must stay a plain name inside the file's own directory.
bool isPlainFileName(std::string_view fileName);

// What the run makes of one row before it reaches the file system: either a
// result word already, or the two paths to try.
struct RowPlan {
    ResultWord word = nullptr; // none: rename oldPath to newPath
    std::string oldPath;
    std::string newPath;
    std::size_t directoryLength = 0; // the directory's part of both paths, as typed
    std::string_view oldName() const { return std::string_view(oldPath).substr(directoryLength); }
    std::string_view newName() const { return std::string_view(newPath).substr(directoryLength); }
};
RowPlan planRow(const RenameList& list, int row);
// The same into a plan whose strings keep their capacity from row to row.
void planRow(const RenameList& list, int row, RowPlan& plan);

struct RenameRunSummary {
    int renamed = 0;
    std::string failures; // the failure lines of this run, in row order
    // The journal could not be written: the run stopped before this row, which
    // and every row below it were left as they were. 0 when the run finished.
    int stoppedAtRow = 0;
};

// The rename run without any window: walks the file rows top to bottom, renames
// every row whose new path differs, writes each row's result word, and moves the
// new name into the original-name column after a success.
class RenameRun {
public:
    // Told the number of rows finished after each row.
    using Progress = std::function<void(int rowsDone)>;

    // Rows are renamed in batches; with a journal, each batch is recorded
    // before any of its renames is tried, in one write.
    static constexpr int defaultBatchRows = 1024;

    RenameRun(RenameList& list, RenameFileSystem& fileSystem, RunJournal* journal = nullptr,
              int batchRows = defaultBatchRows);
    RenameRunSummary run(const Progress& progress = {});

    // Told each row's word as soon as the row is done, with the paths the row
    // named before the run (empty for a row the run did not try), so a front
    // end can report a row without keeping a copy of the whole list.
    std::function<void(int row, const RowPlan& plan, ResultWord word)> RowDone;

private:
    // One batch of rows on its way from plan to journal to renames.
    struct Batch {
        int first = 0;
        int last = 0; // one past
        std::vector<RowPlan> plans;
        std::vector<RunJournal::Rename> renames; // with a journal: the rows to try
        bool movesFolder = false;                // a row's file is a directory
        // Its files are looked at only once the batch before it is done.
        bool deferred = false;
    };

    void runInTurn(RenameRunSummary& summary, const Progress& progress);
    void runAlongside(RenameRunSummary& summary, const Progress& progress);
    void planBatch(Batch& batch, int first);
    void identifyBatch(Batch& batch, bool byPath);
    void prepareAfter(Batch& batch, const Batch& before);
    bool sharesNames(const Batch& batch, const Batch& before) const;
    void renameRows(const Batch& batch, RenameRunSummary& summary, const Progress& progress);
    void placeRow(int row, RowPlan& plan);
    void identify(int row, std::string_view name, JournalRename& rename);
    void shareInodes();
    void listInodes();
    // eachRow(add) calls add(row) for each of the count rows listed in owner.
    template <typename EachRow>
    void listFolder(std::size_t owner, std::size_t count, const EachRow& eachRow);
    ResultWord finishRow(int row, const RowPlan& plan, RenameRunSummary& summary);
    FsStatus renameKeepingAttributes(int row, const RowPlan& plan);

    RenameList& list_;
    RenameFileSystem& fs_;
    // Open for one run only: a handle kept to the next run could name a folder
    // that has since moved away from the path the next list gives.
    std::unique_ptr<RenameSession> session_;
    RunJournal* journal_;
    int batchRows_;
    RunDirectories directories_;
    // In turn, where many rows rename in one folder, each file's inode comes
    // from one listing of it, taken before the first rename.
    struct KnownInodes {
        int rows = 0;
        bool listed = false; // listedInodes_ holds its rows' inodes
        std::uint64_t device = 0;
    };
    std::vector<KnownInodes> inodes_;         // by the first spelling of each folder
    std::vector<std::size_t> inodeOwner_;     // spelling -> its folder's entry
    std::vector<std::uint64_t> listedInodes_; // by row; 0: not listed, look at the file
    std::vector<bool> renamed_;
};

} // namespace quorbel
