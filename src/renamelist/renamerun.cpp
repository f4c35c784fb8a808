#include "renamelist/renamerun.h"

#include "renamelist/renamelist.h"

namespace quorbel {
namespace {

// Ends a batch of list changes however the run leaves, so the view refreshes once.
class UpdateBatch {
public:
    explicit UpdateBatch(RenameList& list) : list_(list) { list_.beginUpdate(); }
    ~UpdateBatch() { list_.endUpdate(); }
    UpdateBatch(const UpdateBatch&) = delete;
    UpdateBatch& operator=(const UpdateBatch&) = delete;

private:
    RenameList& list_;
};

} // namespace

std::string_view resultWordFor(FsStatus status) {
    switch (status) {
    case FsStatus::Ok:
        return resultword::success;
    case FsStatus::TargetExists:
        return resultword::targetExists;
    case FsStatus::SourceMissing:
        return resultword::sourceMissing;
    case FsStatus::AccessDenied:
        return resultword::accessDenied;
    case FsStatus::ReadOnlyFileSystem:
        return resultword::readOnly;
    case FsStatus::InvalidName:
        return resultword::invalidName;
    case FsStatus::Refused:
        break;
    }
    return resultword::cannotRename;
}

std::string failureLine(const std::string& oldPath, const std::string& newPath,
                        std::string_view word) {
    std::string line;
    line.reserve(oldPath.size() + newPath.size() + word.size() + 16);
    line.append(oldPath).append("-->").append(newPath).append(" 原因:").append(word);
    line.append("\r\n");
    return line;
}

std::string renamedStatusText(int renamed) {
    return "成功替换 " + std::to_string(renamed) + " 个文件";
}

bool isPlainFileName(std::string_view fileName) {
    if (fileName == "." || fileName == "..")
        return false;
    return fileName.find('/') == std::string_view::npos &&
           fileName.find('\0') == std::string_view::npos;
}

RenameRun::RenameRun(RenameList& list, RenameFileSystem& fileSystem)
    : list_(list), fs_(fileSystem) {}

RenameRunSummary RenameRun::run(const Progress& progress) {
    RenameRunSummary summary;
    UpdateBatch batch(list_);
    for (int row = 1; row < list_.RowCount(); ++row) {
        const std::string_view word = renameRow(row, summary);
        list_.setCell(RenameList::Result, row, std::string(word));
        if (word == resultword::success)
            list_.setCell(RenameList::OldName, row, list_.getCell(RenameList::NewName, row));
        if (progress)
            progress(row);
    }
    return summary;
}

std::string_view RenameRun::renameRow(int row, RenameRunSummary& summary) {
    const std::string& newName = list_.getCell(RenameList::NewName, row);
    if (newName.empty())
        return resultword::unchanged;
    const std::string oldPath = list_.oldPath(row);
    const std::string newPath = list_.newPath(row);
    if (oldPath == newPath)
        return resultword::unchanged;
    std::string_view word = resultword::invalidName;
    // A row naming no file at all (the empty start row) must not reach the
    // file system: its old path would be the directory or the empty text.
    if (list_.getCell(RenameList::OldName, row).empty() &&
        list_.getCell(RenameList::Extension, row).empty())
        word = resultword::sourceMissing;
    else if (isPlainFileName(newName + list_.getCell(RenameList::Extension, row)))
        word = resultWordFor(renameKeepingAttributes(oldPath, newPath));
    if (word == resultword::success)
        ++summary.renamed;
    else
        summary.failures += failureLine(oldPath, newPath, word);
    return word;
}

// Where a read-only file cannot be renamed, the mark is lifted for the rename
// only and put back on whichever name then holds the file.
FsStatus RenameRun::renameKeepingAttributes(const std::string& from, const std::string& to) {
    if (!fs_.renameNeedsWritable())
        return fs_.renameNoReplace(from, to);
    const std::optional<FileAttributes> original = fs_.getAttributes(from);
    if (!original || !original->readOnly)
        return fs_.renameNoReplace(from, to);
    FileAttributes writable = *original;
    writable.readOnly = false;
    const bool lifted = fs_.setAttributes(from, writable) == FsStatus::Ok;
    const FsStatus status = fs_.renameNoReplace(from, to);
    if (lifted)
        fs_.setAttributes(status == FsStatus::Ok ? to : from, *original);
    return status;
}

} // namespace quorbel
