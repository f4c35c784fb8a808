#pragma once

#include "platform/renamefilesystem.h"

#include <functional>
#include <string>
#include <string_view>

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

struct RenameRunSummary {
    int renamed = 0;
    std::string failures; // the failure lines of this run, in row order
};

// The rename run without any window: walks the file rows top to bottom, renames
// every row whose new path differs, writes each row's result word, and moves the
// new name into the original-name column after a success.
class RenameRun {
public:
    // Told the number of rows finished after each row.
    using Progress = std::function<void(int rowsDone)>;

    RenameRun(RenameList& list, RenameFileSystem& fileSystem);
    RenameRunSummary run(const Progress& progress = {});

private:
    std::string_view renameRow(int row, RenameRunSummary& summary);
    FsStatus renameKeepingAttributes(const std::string& from, const std::string& to);

    RenameList& list_;
    RenameFileSystem& fs_;
};

} // namespace quorbel
