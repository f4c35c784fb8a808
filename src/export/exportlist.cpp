// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/exportlist.h"

#include "export/exportblock.h"
#include "export/xlswriter.h"
#include "export/xlsxexport.h"
#include "global/coretext.h"
#include "renamelist/renamelist.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <unordered_map>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorbel {
namespace {

constexpr int maxXlsRows = 65536;
constexpr int maxXlsxRows = 1048576;
constexpr size_t maxCellLength = 32767;

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

std::string directoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void cannotSave(const std::string& path, const std::string& reason) {
    static constexpr CoreText message{"无法保存文件“%1”:%2", "Cannot save the file “%1”: %2"};
    throw ExportError(message.fill({path, reason}));
}

void checkLimits(const ExportBlock& block, const RenameList& list, ExportFormat format) {
    const int maxRows = format == ExportFormat::Xls ? maxXlsRows : maxXlsxRows;
    if (block.rowCount() > maxRows) {
        static constexpr CoreText tooManyForXls{
            "列表共有 %1 行(含标题行),超过 .xls 格式最多 65536 行的限制,请改存为 .xlsx 格式",
            "The list has %1 rows with the header row, more than the 65536 rows an .xls "
            "file can hold; save it as .xlsx instead"};
        static constexpr CoreText tooMany{
            "列表共有 %1 行(含标题行),超过工作簿最多 1048576 行的限制",
            "The list has %1 rows with the header row, more than the 1048576 rows a "
            "workbook can hold"};
        throw ExportError((format == ExportFormat::Xls ? tooManyForXls : tooMany)
                              .count(block.rowCount()));
    }
    const ExportBlock::CellLength& longest = block.longestCell();
    if (longest.length > maxCellLength) {
        const std::string& header = list.getCell(longest.column, 0);
        static constexpr CoreText tooLong{
            "第 %2 行有 %1 个字符,超过工作簿单元格最多 32767 个字符的限制",
            "A cell of row %2 has %1 characters, more than the 32767 a workbook cell can hold"};
        static constexpr CoreText tooLongInColumn{
            "第 %2 行“%3”列有 %1 个字符,超过工作簿单元格最多 32767 个字符的限制",
            "The “%3” cell of row %2 has %1 characters, more than the 32767 a workbook cell "
            "can hold"};
        const std::string row = std::to_string(longest.row);
        throw ExportError(header.empty() ? tooLong.count(longest.length, {row})
                                         : tooLongInColumn.count(longest.length, {row, header}));
    }
}

// The mode a new file gets from open(2): everyone's read and write bits less
// the umask; a replaced file keeps its own.
mode_t modeFor(const std::string& path) {
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Saving onto a symbolic link replaces the file it points to, as writing
// through it would, not the link itself.
std::string followLink(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return path;
    std::string target = resolved;
    std::free(resolved);
    return target;
}

// The temporary file beside the target; removed unless it was moved into place.
class TempFile {
public:
    // shown: the path the user chose, which every message names.
    TempFile(const std::string& target, const std::string& shown) : target_(target), shown_(shown) {
        path_ = directoryOf(target) + "/.quorbel-export-XXXXXX";
        fd_ = ::mkstemp(path_.data());
        if (fd_ < 0)
            fail();
    }
    ~TempFile() {
        if (fd_ >= 0)
            ::close(fd_);
        if (!committed_)
            ::unlink(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }

    // Makes the content durable, then moves it over the target in one step.
    void commit(mode_t mode) {
        if (::fchmod(fd_, mode) != 0 || ::fsync(fd_) != 0)
            fail();
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            fail();
        if (::rename(path_.c_str(), target_.c_str()) != 0)
            fail();
        committed_ = true;
    }
    [[noreturn]] void fail() const { cannotSave(shown_, std::strerror(errno)); }

private:
    std::string target_;
    std::string shown_;
    std::string path_;
    int fd_ = -1;
    bool committed_ = false;
};

void writeWorkbook(const ExportBlock& block, TempFile& temp, ExportFormat format,
                   const std::string& target) {
    try {
        if (format == ExportFormat::Xls) {
            writeXls(block, temp.fd());
        } else {
            writeXlsx(block, temp.path(), directoryOf(temp.path()));
            // libxlsxwriter wrote through its own handle; reopen for fsync.
            const int fd = ::open(temp.path().c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0 || ::fsync(fd) != 0)
                temp.fail();
            ::close(fd);
        }
    } catch (const std::system_error& error) {
        cannotSave(target, error.code().message());
    } catch (const ExportError&) {
        throw;
    } catch (const std::runtime_error& error) {
        cannotSave(target, error.what());
    }
}

// A path made absolute through its directory, the name itself kept as it is;
// "" when the directory cannot be resolved.
std::string resolvedThroughDirectory(const std::string& path) {
    const std::string directory = directoryOf(path);
    char* real = ::realpath(directory.c_str(), nullptr);
    if (!real)
        return std::string();
    std::string resolved = real;
    std::free(real);
    const size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return (resolved == "/" ? "" : resolved) + "/" + name;
}

constexpr CoreText usedByTheList{"列表中的文件(第 %1 行)用着这个名字",
                                 "a file of the list (row %1) has this name"};

void refuseListedPath(const RenameList& list, const std::string& shown, const std::string& target) {
    std::unordered_map<std::string, std::string> directories; // as typed -> resolved
    for (int row = 1; row < list.RowCount(); ++row) {
        const std::string& typed = list.getCell(RenameList::Directory, row);
        auto found = directories.find(typed);
        if (found == directories.end())
            found = directories.emplace(typed, resolvedThroughDirectory(typed + "x")).first;
        if (found->second.empty())
            continue;
        const std::string directory = found->second.substr(0, found->second.size() - 1);
        const std::string& extension = list.getCell(RenameList::Extension, row);
        for (RenameList::Column name : {RenameList::OldName, RenameList::NewName}) {
            const std::string& stem = list.getCell(name, row);
            if (!stem.empty() && directory + stem + extension == target)
                cannotSave(shown, usedByTheList.fill({std::to_string(row)}));
        }
    }
}

} // namespace

void checkExportTarget(const RenameList& list, const std::string& path, ExportFormat format) {
    const ExportBlock block(list);
    checkLimits(block, list, format);
    const std::string target = followLink(path);
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        cannotSave(path, std::strerror(EISDIR));
    const std::string folder = directoryOf(target);
    if (::stat(folder.c_str(), &info) != 0)
        cannotSave(path, std::strerror(errno));
    if (!S_ISDIR(info.st_mode))
        cannotSave(path, std::strerror(ENOTDIR));
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        cannotSave(path, std::strerror(errno));
    const std::string resolved = resolvedThroughDirectory(target);
    refuseListedPath(list, path, resolved);
    if (resolved != resolvedThroughDirectory(path))
        refuseListedPath(list, path, resolvedThroughDirectory(path));
}

std::optional<ExportFormat> exportFormatOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::nullopt;
    const std::string extension = lowerCase(path.substr(dot));
    if (extension == ".xls")
        return ExportFormat::Xls;
    if (extension == ".xlsx")
        return ExportFormat::Xlsx;
    return std::nullopt;
}

ExportResult exportList(const RenameList& list, const std::string& path, ExportFormat format) {
    const ExportBlock block(list);
    checkLimits(block, list, format);
    const std::string target = followLink(path);
    const mode_t mode = modeFor(target);
    TempFile temp(target, path);
    writeWorkbook(block, temp, format, path);
    temp.commit(mode);
    return ExportResult{block.replacedCells()};
}

} // namespace quorbel
