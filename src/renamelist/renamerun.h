#pragma once

#include "global/coretext.h"
#include "platform/renamefilesystem.h"
#include "renamelist/renamejournal.h"

#include <functional>
#include <string>
#include <string_view>
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

// A new file name must stay a plain name inside the file's own directory.
bool isPlainFileName(std::string_view fileName);

// What the run makes of one row before it reaches the file system: either a
// result word already, or the two paths to try.
struct RowPlan {
    ResultWord word = nullptr; // none: rename oldPath to newPath
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

private:
    bool runBatch(int first, int last, RenameRunSummary& summary, const Progress& progress);
    ResultWord finishRow(int row, const RowPlan& plan, RenameRunSummary& summary);
    FsStatus renameKeepingAttributes(const std::string& from, const std::string& to);

    RenameList& list_;
    RenameFileSystem& fs_;
    RunJournal* journal_;
    int batchRows_;
    std::vector<RowPlan> plans_;
    std::vector<RunJournal::Rename> renames_;
    std::vector<bool> renamed_;
};

} // namespace quorbel
