#include "renamelist/renamerun.h"

#include "renamelist/renamelist.h"

#include <algorithm>

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

ResultWord resultWordFor(FsStatus status) {
    switch (status) {
    case FsStatus::Ok:
        return &resultword::success;
    case FsStatus::TargetExists:
        return &resultword::targetExists;
    case FsStatus::SourceMissing:
        return &resultword::sourceMissing;
    case FsStatus::AccessDenied:
        return &resultword::accessDenied;
    case FsStatus::ReadOnlyFileSystem:
        return &resultword::readOnly;
    case FsStatus::InvalidName:
        return &resultword::invalidName;
    case FsStatus::Refused:
        break;
    }
    return &resultword::cannotRename;
}

std::string failureLine(const std::string& oldPath, const std::string& newPath,
                        std::string_view word) {
    std::string line;
    line.reserve(oldPath.size() + newPath.size() + word.size() + 16);
    line.append(oldPath).append("-->").append(newPath).append(runtext::reason.text()).append(word);
    line.append("\r\n");
    return line;
}

std::string renamedStatusText(int renamed) {
    return runtext::renamed.count(renamed);
}

bool isPlainFileName(std::string_view fileName) {
    if (fileName == "." || fileName == "..")
        return false;
    return fileName.find('/') == std::string_view::npos &&
           fileName.find('\0') == std::string_view::npos;
}

RowPlan planRow(const RenameList& list, int row) {
    RowPlan plan;
    planRow(list, row, plan);
    return plan;
}

void planRow(const RenameList& list, int row, RowPlan& plan) {
    plan.word = nullptr;
    plan.oldPath.clear();
    plan.newPath.clear();
    const std::string& newName = list.getCell(RenameList::NewName, row);
    if (newName.empty()) {
        plan.word = &resultword::unchanged;
        return;
    }
    const std::string& directory = list.getCell(RenameList::Directory, row);
    const std::string& oldName = list.getCell(RenameList::OldName, row);
    const std::string& extension = list.getCell(RenameList::Extension, row);
    plan.oldPath.append(directory).append(oldName).append(extension);
    plan.newPath.append(directory).append(newName).append(extension);
    if (plan.oldPath == plan.newPath)
        plan.word = &resultword::unchanged;
    // A row naming no file at all (the empty start row) must not reach the
    // file system: its old path would be the directory or the empty text.
    else if (oldName.empty() && extension.empty())
        plan.word = &resultword::sourceMissing;
    else if (!isPlainFileName(std::string_view(plan.newPath).substr(directory.size())))
        plan.word = &resultword::invalidName;
}

RenameRun::RenameRun(RenameList& list, RenameFileSystem& fileSystem, RunJournal* journal,
                     int batchRows)
    : list_(list), fs_(fileSystem), journal_(journal), batchRows_(std::max(batchRows, 1)) {}

RenameRunSummary RenameRun::run(const Progress& progress) {
    RenameRunSummary summary;
    UpdateBatch batch(list_);
    for (int first = 1; first < list_.RowCount(); first += batchRows_) {
        const int last = std::min(first + batchRows_, list_.RowCount());
        if (!runBatch(first, last, summary, progress))
            return summary;
    }
    if (journal_)
        journal_->finish();
    return summary;
}

// A crash can leave the last batch journaled but only partly renamed, with no
// outcome line. Undo handles such a rename as one that may not have happened:
// a rename that never happened finds its old name still in place (or its new
// name absent) and is skipped, so nothing is moved that the run did not move.
// The journal is written without fsync: it survives the program being closed
// or killed, which is what undo is for; the renames themselves are not synced
// either, so after a power cut both may be lost together.
bool RenameRun::runBatch(int first, int last, RenameRunSummary& summary, const Progress& progress) {
    plans_.clear();
    for (int row = first; row < last; ++row)
        plans_.push_back(planRow(list_, row));
    renames_.clear();
    for (const RowPlan& plan : plans_) {
        if (!plan.word)
            renames_.emplace_back(plan.oldPath, plan.newPath);
    }
    const bool journaled = journal_ && !renames_.empty();
    if (journaled && !journal_->beginBatch(renames_)) {
        summary.stoppedAtRow = first;
        return false;
    }
    renamed_.clear();
    for (int row = first; row < last; ++row) {
        const RowPlan& plan = plans_[static_cast<std::size_t>(row - first)];
        const ResultWord word = finishRow(row, plan, summary);
        if (!plan.word)
            renamed_.push_back(word == &resultword::success);
        if (progress)
            progress(row);
    }
    if (journaled && !journal_->endBatch(renamed_) && last < list_.RowCount()) {
        summary.stoppedAtRow = last;
        return false;
    }
    return true;
}

ResultWord RenameRun::finishRow(int row, const RowPlan& plan, RenameRunSummary& summary) {
    ResultWord word = plan.word;
    if (!word)
        word = resultWordFor(renameKeepingAttributes(plan.oldPath, plan.newPath));
    if (word == &resultword::success)
        ++summary.renamed;
    else if (word != &resultword::unchanged)
        summary.failures += failureLine(plan.oldPath, plan.newPath, word->text());
    list_.setCell(RenameList::Result, row, word->text());
    if (word == &resultword::success)
        list_.setCell(RenameList::OldName, row, list_.getCell(RenameList::NewName, row));
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
