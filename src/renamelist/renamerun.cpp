// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/renamerun.h"

#include "renamelist/helperthread.h"
#include "renamelist/renamelist.h"

#include <algorithm>
#include <unordered_set>

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
    case FsStatus::DiskFull:
        return &resultword::diskFull;
    case FsStatus::SameFileLink:
        return &resultword::sameFileLink;
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
    plan.directoryLength = directory.size();
    if (plan.oldPath == plan.newPath)
        plan.word = &resultword::unchanged;
    // "." and ".." name a directory by its place, not by a name it has; no
    // rename of them goes through, whatever the rest of the path says.
    else if (plan.oldName() == "." || plan.oldName() == "..")
        plan.word = &resultword::cannotRename;
    // A row naming no file at all (the empty start row) must not reach the
    // file system: its old path would be the directory or the empty text.
    else if (oldName.empty() && extension.empty())
        plan.word = &resultword::sourceMissing;
    else if (!isPlainFileName(std::string_view(plan.newPath).substr(directory.size())))
        plan.word = &resultword::invalidName;
}

void RunDirectories::resolve(const RenameList& list, RenameFileSystem& fileSystem) {
    directories_.clear();
    rows_.clear();
    rowDirectory_.assign(static_cast<std::size_t>(std::max(list.RowCount(), 1)), 0);
    std::unordered_map<std::string, std::uint32_t> bySpelling;
    const std::string* last = nullptr;
    std::uint32_t lastIndex = 0;
    for (int row = 1; row < list.RowCount(); ++row) {
        const std::string& spelling = list.getCell(RenameList::Directory, row);
        if (!last || spelling != *last) {
            const auto [found, added] =
                bySpelling.try_emplace(spelling, static_cast<std::uint32_t>(directories_.size()));
            if (added) {
                directories_.push_back(fileSystem.resolveDirectory(spelling));
                rows_.push_back(0);
            }
            last = &spelling;
            lastIndex = found->second;
        }
        rowDirectory_[static_cast<std::size_t>(row)] = lastIndex;
        ++rows_[lastIndex];
    }
    if (directories_.empty()) {
        directories_.emplace_back();
        rows_.push_back(0);
    }
}

RenameRun::RenameRun(RenameList& list, RenameFileSystem& fileSystem, RunJournal* journal,
                     int batchRows)
    : list_(list), fs_(fileSystem), journal_(journal), batchRows_(std::max(batchRows, 1)) {}

RenameRunSummary RenameRun::run(const Progress& progress) {
    RenameRunSummary summary;
    UpdateBatch batch(list_);
    directories_.resolve(list_, fs_);
    shareInodes();
    // Open for this run only: its handles stand for the folders as they are
    // now, and are let go however the run ends.
    session_ = fs_.openSession();
    struct EndSession {
        std::unique_ptr<RenameSession>& session;
        ~EndSession() { session.reset(); }
    } endSession{session_};
    if (journal_ && fs_.identifiesAlongside() && list_.RowCount() > 1 + batchRows_)
        runAlongside(summary, progress);
    else
        runInTurn(summary, progress);
    return summary;
}

// A row whose directory could not be resolved fails with that reason; the
// others get the paths the rename and its journal use.
void RenameRun::placeRow(int row, RowPlan& plan) {
    planRow(list_, row, plan);
    if (plan.word)
        return;
    const ResolvedDirectory& directory = directories_.of(row);
    if (directory.status != FsStatus::Ok)
        plan.word = resultWordFor(directory.status);
}

// The plans keep their strings' capacity from batch to batch.
void RenameRun::planBatch(Batch& batch, int first) {
    batch.first = first;
    batch.last = std::min(first + batchRows_, list_.RowCount());
    const auto rows = static_cast<std::size_t>(batch.last - first);
    if (batch.plans.size() < rows)
        batch.plans.resize(rows);
    for (std::size_t i = 0; i < rows; ++i)
        placeRow(first + static_cast<int>(i), batch.plans[i]);
    batch.renames.clear();
    batch.movesFolder = false;
    batch.deferred = false;
}

// Each batch is journaled before any of its renames is tried, with the
// identity of every file about to be renamed. A crash can leave the last batch
// journaled but only partly renamed, with no outcome line; undo then moves a
// file back only where the file at the new name is the one recorded, so
// nothing is moved that the run did not move.
// The journal is written without fsync: it survives the program being closed
// or killed, which is what undo is for; the renames themselves are not synced
// either, so after a power cut both may be lost together.
void RenameRun::runInTurn(RenameRunSummary& summary, const Progress& progress) {
    listInodes();
    Batch batch;
    for (int first = 1; first < list_.RowCount(); first += batchRows_) {
        planBatch(batch, first);
        if (journal_)
            identifyBatch(batch, false);
        const bool journaled = journal_ && !batch.renames.empty();
        if (journaled && !journal_->beginBatch(batch.renames)) {
            summary.stoppedAtRow = first;
            return;
        }
        renameRows(batch, summary, progress);
        // After a failed write nothing more is written: a later record glued to a
        // cut one would make the whole journal fail its check.
        if (journaled && !journal_->endBatch(renamed_)) {
            if (batch.last < list_.RowCount())
                summary.stoppedAtRow = batch.last;
            return;
        }
    }
    if (journal_)
        journal_->finish();
}

// The same run with a second processor: while one batch is renamed, the
// helper looks at the files of the next and prepares its journal records, so
// the renames wait for neither. The order on the disk stays that of the run in
// turn: a batch's records are written only after the outcome of the one
// before, and before any of its own renames.
//
// A file is looked at by its path, at most one batch ahead of its rename. What
// the batch being renamed can change is a name it renames from or to, or the
// path through a folder it renames; a batch that shares an old name with the
// one before it, or follows one that moves a folder, is looked at only once
// that one is done, as the run in turn would. Either way every identity is
// taken after all renames that could change it and before the file's own.
void RenameRun::runAlongside(RenameRunSummary& summary, const Progress& progress) {
    Batch batches[2];
    HelperThread helper; // after the batches: it is stopped before they go
    Batch* current = &batches[0];
    Batch* next = &batches[1];
    planBatch(*current, 1);
    identifyBatch(*current, true);
    journal_->prepareBatch(current->renames);
    for (;;) {
        const bool journaled = !current->renames.empty();
        if (journaled && !journal_->beginPrepared()) {
            summary.stoppedAtRow = current->first;
            return;
        }
        const bool more = current->last < list_.RowCount();
        if (more) {
            planBatch(*next, current->last);
            helper.post([this, next, current] { prepareAfter(*next, *current); });
        }
        renameRows(*current, summary, progress);
        const bool ended = !journaled || journal_->endBatch(renamed_);
        if (more)
            helper.wait();
        if (!ended) {
            if (more)
                summary.stoppedAtRow = current->last;
            return;
        }
        if (!more)
            break;
        if (next->deferred) {
            identifyBatch(*next, true);
            journal_->prepareBatch(next->renames);
        }
        std::swap(current, next);
    }
    journal_->finish();
}

// On the helper, while before is being renamed.
void RenameRun::prepareAfter(Batch& batch, const Batch& before) {
    batch.deferred = before.movesFolder || sharesNames(batch, before);
    if (batch.deferred)
        return;
    identifyBatch(batch, true);
    journal_->prepareBatch(batch.renames);
}

namespace {

struct FolderName {
    std::size_t folder;
    std::string_view name;
    bool operator==(const FolderName&) const = default;
};

struct FolderNameHash {
    std::size_t operator()(const FolderName& key) const {
        return std::hash<std::string_view>()(key.name) ^ (key.folder * 0x9e3779b97f4a7c15ull);
    }
};

} // namespace

// Whether a row of batch renames from a name that a row of before renames
// from or to, in the same folder however it is spelt.
bool RenameRun::sharesNames(const Batch& batch, const Batch& before) const {
    auto folderOf = [this](const Batch& in, std::size_t i) {
        return inodeOwner_[directories_.index(in.first + static_cast<int>(i))];
    };
    std::unordered_set<FolderName, FolderNameHash> names;
    const auto beforeRows = static_cast<std::size_t>(before.last - before.first);
    names.reserve(2 * beforeRows);
    for (std::size_t i = 0; i < beforeRows; ++i) {
        const RowPlan& plan = before.plans[i];
        if (plan.word)
            continue;
        const std::size_t folder = folderOf(before, i);
        names.insert({folder, plan.oldName()});
        names.insert({folder, plan.newName()});
    }
    const auto rows = static_cast<std::size_t>(batch.last - batch.first);
    for (std::size_t i = 0; i < rows; ++i) {
        const RowPlan& plan = batch.plans[i];
        if (!plan.word && names.count({folderOf(batch, i), plan.oldName()}))
            return true;
    }
    return false;
}

// In turn, each file is looked at through the run's own session, or found in
// its folder's listing; alongside, by its resolved path, through no handle:
// the helper then shares nothing with the renames but the file system itself.
void RenameRun::identifyBatch(Batch& batch, bool byPath) {
    std::string path;
    const auto rows = static_cast<std::size_t>(batch.last - batch.first);
    for (std::size_t i = 0; i < rows; ++i) {
        const RowPlan& plan = batch.plans[i];
        if (plan.word)
            continue;
        const int row = batch.first + static_cast<int>(i);
        const std::string& directory = directories_.of(row).path;
        RunJournal::Rename rename{directory, plan.oldName(), plan.newName()};
        if (!byPath) {
            identify(row, plan.oldName(), rename);
        } else if (const std::optional<FileIdentity> file =
                       fs_.identify(path.assign(directory).append(plan.oldName()))) {
            rename.device = file->device;
            rename.inode = file->inode;
            batch.movesFolder = batch.movesFolder || file->isDirectory;
        }
        batch.renames.push_back(rename);
    }
}

void RenameRun::renameRows(const Batch& batch, RenameRunSummary& summary,
                           const Progress& progress) {
    renamed_.clear();
    const auto rows = static_cast<std::size_t>(batch.last - batch.first);
    for (std::size_t i = 0; i < rows; ++i) {
        const int row = batch.first + static_cast<int>(i);
        const RowPlan& plan = batch.plans[i];
        const bool tried = !plan.word;
        const ResultWord word = finishRow(row, plan, summary);
        if (tried)
            renamed_.push_back(word == &resultword::success);
        if (RowDone)
            RowDone(row, plan, word);
        if (progress)
            progress(row);
    }
}

// Where many rows rename in one directory, one pass over it gives every
// file's inode; a name it does not hold (or a directory whose listed inodes
// are not what a look at the file gives, as on some overlay file systems) is
// looked at on its own.
constexpr int rowsForOneListing = 256;

// Every listing is taken before the first rename, and each listed name answers
// only for the first row that renames from it: a rename in a folder needs its
// old name free of anything else, so up to that row's rename the name still
// holds the listed file. A later row asking for the same name (a name freed
// and filled by a chain or swap, a duplicate row) is not answered and looks at
// the file itself. The rows' inodes then lie in row order, so the journal of
// each batch reads them straight through, without a look-up between renames.
void RenameRun::listInodes() {
    listedInodes_.clear();
    if (!journal_)
        return;
    // The rows that may rename in each folder listed, grouped by folder in
    // row order.
    const std::size_t folders = inodes_.size();
    std::vector<std::uint32_t> start(folders + 1, 0);
    auto listable = [&](std::size_t owner) {
        return inodes_[owner].rows >= rowsForOneListing &&
               directories_.at(owner).status == FsStatus::Ok;
    };
    auto folderOf = [&](int row) -> std::size_t {
        const std::size_t owner = inodeOwner_[directories_.index(row)];
        if (!listable(owner) || list_.getCell(RenameList::NewName, row).empty())
            return folders;
        return owner;
    };
    std::size_t listed = 0;
    std::size_t onlyOwner = folders;
    for (int row = 1; row < list_.RowCount(); ++row) {
        const std::size_t owner = folderOf(row);
        if (owner < folders) {
            if (start[owner + 1]++ == 0)
                onlyOwner = listed++ == 0 ? owner : folders;
        }
    }
    if (listed == 0)
        return;
    listedInodes_.assign(static_cast<std::size_t>(list_.RowCount()), 0);
    // One folder, the usual case: its rows are the list's rows that qualify,
    // found again by the same test, with no list of row numbers beside them.
    if (onlyOwner < folders) {
        listFolder(onlyOwner, start[onlyOwner + 1], [&](const auto& add) {
            for (int row = 1; row < list_.RowCount(); ++row)
                if (folderOf(row) == onlyOwner)
                    add(static_cast<std::uint32_t>(row));
        });
        return;
    }
    for (std::size_t owner = 0; owner < folders; ++owner)
        start[owner + 1] += start[owner];
    std::vector<std::uint32_t> rows(start[folders]);
    std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
    for (int row = 1; row < list_.RowCount(); ++row) {
        const std::size_t owner = folderOf(row);
        if (owner < folders)
            rows[next[owner]++] = static_cast<std::uint32_t>(row);
    }
    for (std::size_t owner = 0; owner < folders; ++owner) {
        const std::uint32_t* first = rows.data() + start[owner];
        const std::size_t count = start[owner + 1] - start[owner];
        if (count > 0)
            listFolder(owner, count, [&](const auto& add) {
                for (std::size_t i = 0; i < count; ++i)
                    add(first[i]);
            });
    }
}

// Only the list's own names are kept from the listing, so a folder of a
// million files costs no more than the rows that rename there.
template <typename EachRow>
void RenameRun::listFolder(std::size_t owner, std::size_t count, const EachRow& eachRow) {
    InodeTable names(list_, count);
    eachRow([&names](std::uint32_t row) { names.add(row); });
    std::uint32_t sample = 0;
    std::uint64_t device = 0;
    const std::string& directory = directories_.at(owner).path;
    const bool whole =
        session_->eachInode(directory, device, [&](std::string_view name, std::uint64_t inode) {
            if (const std::uint32_t row = names.find(name)) {
                listedInodes_[row] = inode;
                if (!sample)
                    sample = row;
            }
        });
    if (!whole || !sample)
        return;
    const int row = static_cast<int>(sample);
    const std::string name =
        list_.getCell(RenameList::OldName, row) + list_.getCell(RenameList::Extension, row);
    const std::optional<FileIdentity> file = session_->identify(directory, name);
    if (file && file->inode == listedInodes_[sample] && file->device == device) {
        inodes_[owner].listed = true;
        inodes_[owner].device = device;
    }
}

void RenameRun::identify(int row, std::string_view name, JournalRename& rename) {
    const std::size_t owner = inodeOwner_[directories_.index(row)];
    const KnownInodes& known = inodes_[owner];
    if (known.listed) {
        if (const std::uint64_t inode = listedInodes_[static_cast<std::size_t>(row)]) {
            rename.device = known.device;
            rename.inode = inode;
            return;
        }
    }
    const std::string& directory = directories_.of(row).path;
    if (const std::optional<FileIdentity> file = session_->identify(directory, name)) {
        rename.device = file->device;
        rename.inode = file->inode;
    }
}

// Two spellings of one folder share one table, so a rename through either is
// seen by both.
void RenameRun::shareInodes() {
    inodes_.clear();
    inodes_.resize(directories_.count());
    inodeOwner_.resize(directories_.count());
    std::unordered_map<std::string_view, std::size_t> owners;
    for (std::size_t index = 0; index < directories_.count(); ++index) {
        const ResolvedDirectory& directory = directories_.at(index);
        std::size_t owner = index;
        if (directory.status == FsStatus::Ok)
            owner = owners.try_emplace(directory.path, index).first->second;
        inodeOwner_[index] = owner;
        inodes_[owner].rows += directories_.rowsIn(index);
    }
}

ResultWord RenameRun::finishRow(int row, const RowPlan& plan, RenameRunSummary& summary) {
    ResultWord word = plan.word;
    if (!word)
        word = resultWordFor(renameKeepingAttributes(row, plan));
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
FsStatus RenameRun::renameKeepingAttributes(int row, const RowPlan& plan) {
    const std::string& directory = directories_.of(row).path;
    if (!fs_.renameNeedsWritable())
        return session_->rename(directory, plan.oldName(), directory, plan.newName());
    const std::string from = directory + std::string(plan.oldName());
    const std::string to = directory + std::string(plan.newName());
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
