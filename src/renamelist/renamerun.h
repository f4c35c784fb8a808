#pragma once

#include "platform/renamefilesystem.h"
#include "renamelist/renamejournal.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

class RenameList;

namespace resultword {
inline constexpr std::string_view unchanged = "保持不变";
inline constexpr std::string_view success = "成功";
inline constexpr std::string_view targetExists = "失败,文件重复";
inline constexpr std::string_view sourceMissing = "失败,文件不存在";
inline constexpr std::string_view accessDenied = "失败,没有权限";
inline constexpr std::string_view readOnly = "失败,只读";
inline constexpr std::string_view invalidName = "失败,名称无效";
inline constexpr std::string_view cannotRename = "失败,无法改名";
} // namespace resultword

std::string_view resultWordFor(FsStatus status);

// "old-->new 原因:word" and the CR LF that ends every line of the failure list.
std::string failureLine(const std::string& oldPath, const std::string& newPath,
                        std::string_view word);

// "成功替换 n 个文件".
std::string renamedStatusText(int renamed);

// A new file name must stay a plain name inside the file's own directory.
bool isPlainFileName(std::string_view fileName);

// What the run makes of one row before it reaches the file system: either a
// result word already, or the two paths to try.
struct RowPlan {
    std::string_view word; // empty: rename oldPath to newPath
    std::string oldPath;
    std::string newPath;
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
    std::function<void(int row, const RowPlan& plan, std::string_view word)> RowDone;

private:
    bool runBatch(int first, int last, RenameRunSummary& summary, const Progress& progress);
    std::string_view finishRow(int row, const RowPlan& plan, RenameRunSummary& summary);
    FsStatus renameKeepingAttributes(const std::string& directory, const RowPlan& plan);

    RenameList& list_;
    RenameFileSystem& fs_;
    // Open for one run only: a handle kept to the next run could name a folder
    // that has since moved away from the path the next list gives.
    std::unique_ptr<RenameSession> session_;
    RunJournal* journal_;
    int batchRows_;
    std::vector<RowPlan> plans_;
    std::vector<RunJournal::Rename> renames_;
    std::vector<bool> renamed_;
};

} // namespace quorbel
