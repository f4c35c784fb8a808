// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/runcheck.h"

#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"

#include <climits>
#include <map>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace quorbel {
namespace {

struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const {
        return std::hash<std::string_view>{}(name);
    }
};
using NameSet = std::unordered_set<std::string, NameHash, std::equal_to<>>;

std::string foldAscii(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
    }
    return folded;
}

// One directory as the rows checked so far would leave it.
class SimulatedDirectory {
public:
    SimulatedDirectory(std::string path, DirectoryListing listing)
        : path_(std::move(path)), info_(std::move(listing)) {
        present_.reserve(info_.names.size());
        origins_.reserve(info_.names.size());
        for (std::string& name : info_.names)
            present_.insert(info_.foldsCase ? foldAscii(name) : std::move(name));
        info_.names.clear();
        info_.names.shrink_to_fit();
    }

    // Where the directory stood on disk when the check began.
    const std::string& path() const { return path_; }
    const DirectoryListing& info() const { return info_; }

    void key(std::string_view name, std::string& into) const {
        into.assign(name);
        if (info_.foldsCase)
            into = foldAscii(name);
    }

    // Unlisted directories are asked once per name, and remembered.
    bool contains(const std::string& key, std::string_view name, RenameFileSystem& fs) {
        if (present_.find(key) != present_.end())
            return true;
        if (info_.listed || absent_.find(key) != absent_.end())
            return false;
        const bool there = fs.getAttributes(path_ + std::string(name)).has_value();
        (there ? present_ : absent_).insert(key);
        return there;
    }

    // The name on disk of the file a present name stands for now: a name an
    // earlier row gave it leads back to the file's own name. Valid until the
    // next move.
    std::string_view diskName(const std::string& key) const {
        const auto moved = origins_.find(key);
        return moved != origins_.end() ? std::string_view(moved->second) : std::string_view(key);
    }

    // A rename inside one directory moves the name's node over to the new
    // name; the file's own name is kept, not its path, so a short name needs
    // no allocation of its own.
    // origin: diskName(oldKey), taken by the caller before.
    void move(const std::string& oldKey, const std::string& newKey, std::string origin) {
        if (!origins_.empty())
            origins_.erase(oldKey);
        auto node = present_.extract(oldKey);
        if (!info_.listed) {
            absent_.insert(oldKey);
            absent_.erase(newKey);
        }
        if (origin == newKey)
            origins_.erase(newKey); // back where it started
        else
            origins_.insert_or_assign(newKey, std::move(origin));
        if (node.empty()) {
            present_.insert(newKey);
            return;
        }
        node.value() = newKey;
        present_.insert(std::move(node));
    }

private:
    std::string path_;
    DirectoryListing info_;
    NameSet present_;
    NameSet absent_;
    std::unordered_map<std::string, std::string, NameHash, std::equal_to<>> origins_;
};

// The run names every directory by where it stood when the run began. When an
// earlier row renames a directory (or one above it), that place is empty or
// holds something else for the rows below; this follows such renames.
class MovedPlaces {
public:
    // A directory rows live in, and every directory above it.
    void watch(std::string_view directory) {
        while (directory.size() > 1) {
            directory.remove_suffix(1); // the trailing "/"
            if (!watched_.emplace(directory).second)
                return;
            directory = directory.substr(0, directory.rfind('/') + 1);
        }
    }

    // A row's rename went through: now, old on disk stands at newNow.
    void renamed(const std::string& oldNow, const std::string& oldOnDisk, const std::string& newNow) {
        if (!watched_.contains(oldOnDisk) && !takenBy_.contains(oldNow) && !emptied_.contains(newNow))
            return;
        ++generation_;
        takenBy_.erase(oldNow);
        emptied_.insert(oldNow);
        emptied_.erase(newNow);
        if (oldOnDisk != newNow)
            takenBy_.insert_or_assign(newNow, oldOnDisk);
    }

    // Where a directory named by its place at the start ("/a/b/") is on disk
    // now, "" when nothing stands there any more.
    std::string onDisk(const std::string& directory) const {
        if (takenBy_.empty() && emptied_.empty())
            return directory;
        for (std::size_t slash = directory.find('/', 1); slash != std::string::npos;
             slash = directory.find('/', slash + 1)) {
            const std::string place = directory.substr(0, slash);
            if (emptied_.contains(place))
                return std::string();
            const auto taken = takenBy_.find(place);
            if (taken != takenBy_.end())
                return taken->second + directory.substr(slash);
        }
        return directory;
    }

    std::uint64_t generation() const { return generation_; }

private:
    std::unordered_set<std::string> watched_; // without trailing "/", as they stood
    std::unordered_set<std::string> emptied_; // places renamed away from, nothing in since
    std::unordered_map<std::string, std::string> takenBy_; // place -> what stood elsewhere
    std::uint64_t generation_ = 0;
};

std::pair<std::string_view, std::string_view> splitPath(std::string_view path) {
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {std::string_view(), path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

class RunCheck {
public:
    RunCheck(RenameFileSystem& fs, RenameSession& session, const RenameList& list,
             const RunDirectories& directories)
        : fs_(fs), session_(session) {
        for (int row = 1; row < list.RowCount(); ++row) {
            const ResolvedDirectory& directory = directories.of(row);
            if (directory.status == FsStatus::Ok && directory.path != lastWatched_) {
                moved_.watch(directory.path);
                lastWatched_ = directory.path;
            }
        }
    }

    FsStatus rename(const std::string& from, const std::string& to);

private:
    SimulatedDirectory* directory(std::string_view place);
    FsStatus renameBetween(SimulatedDirectory& source, std::string_view oldName,
                           SimulatedDirectory& target, std::string_view newName);
    FsStatus sameFileOrTaken(const SimulatedDirectory& source, const SimulatedDirectory& target);
    FsStatus removable(const SimulatedDirectory& source);
    std::optional<FileIdentity> identify(const SimulatedDirectory& directory,
                                         const std::string& key);

    RenameFileSystem& fs_;
    RenameSession& session_;
    MovedPlaces moved_;
    std::string lastWatched_;
    std::string oldKey_;
    std::string newKey_;
    std::string oldDiskName_; // the row's file's own name in its directory
    std::string oldOnDisk_;
    // Rows of one directory tend to follow each other.
    std::string lastPlace_;
    std::uint64_t lastGeneration_ = 0;
    SimulatedDirectory* last_ = nullptr;
    std::unordered_map<std::string, std::unique_ptr<SimulatedDirectory>, NameHash, std::equal_to<>>
        byPath_;
};

// nullptr when the place is empty now: a row above renamed it away.
SimulatedDirectory* RunCheck::directory(std::string_view place) {
    if (!lastPlace_.empty() && place == lastPlace_ && lastGeneration_ == moved_.generation())
        return last_;
    lastPlace_.assign(place);
    lastGeneration_ = moved_.generation();
    const std::string path = moved_.onDisk(lastPlace_);
    if (path.empty())
        return last_ = nullptr;
    auto known = byPath_.find(path);
    if (known == byPath_.end()) {
        DirectoryListing listing = session_.listDirectory(path);
        known =
            byPath_.emplace(path, std::make_unique<SimulatedDirectory>(path, std::move(listing)))
                .first;
    }
    return last_ = known->second.get();
}

// The same refusals, in the same order, as renameNoReplace on POSIX: the path
// checks of the call itself, then the kernel's (reaching both directories, a
// read-only mount, the old name, the new name, permission to search and write
// the directories, and last what the file itself allows).
FsStatus RunCheck::rename(const std::string& from, const std::string& to) {
    if (from.empty())
        return FsStatus::SourceMissing;
    if (to.empty() || from.find('\0') != std::string::npos || to.find('\0') != std::string::npos)
        return FsStatus::InvalidName;
    if (from.size() >= PATH_MAX || to.size() >= PATH_MAX)
        return FsStatus::InvalidName;
    const auto [oldPlace, oldName] = splitPath(from);
    const auto [newPlace, newName] = splitPath(to);
    SimulatedDirectory* source = directory(oldPlace);
    SimulatedDirectory* target = oldPlace == newPlace ? source : directory(newPlace);
    if (!source || !target)
        return FsStatus::SourceMissing;
    for (const SimulatedDirectory* side : {source, target}) {
        if (side->info().status != FsStatus::Ok)
            return side->info().status;
    }
    source->key(oldName, oldKey_);
    oldDiskName_.assign(source->diskName(oldKey_));
    oldOnDisk_.assign(source->path()).append(oldDiskName_);
    const FsStatus status = renameBetween(*source, oldName, *target, newName);
    if (status == FsStatus::Ok)
        moved_.renamed(from, oldOnDisk_, to);
    return status;
}

FsStatus RunCheck::renameBetween(SimulatedDirectory& source, std::string_view oldName,
                                 SimulatedDirectory& target, std::string_view newName) {
    if (source.info().change == FsStatus::ReadOnlyFileSystem)
        return FsStatus::ReadOnlyFileSystem;
    if (oldName.size() > source.info().nameMax)
        return FsStatus::InvalidName;
    source.key(oldName, oldKey_);
    if (!source.contains(oldKey_, oldName, fs_))
        return FsStatus::SourceMissing;
    if (newName.size() > target.info().nameMax)
        return FsStatus::InvalidName;
    target.key(newName, newKey_);
    // Where case is folded, a change of case alone meets the file itself,
    // which the POSIX layer renames through a temporary name.
    const bool caseAlias = &source == &target && oldKey_ == newKey_;
    if (caseAlias || target.contains(newKey_, newName, fs_)) {
        const FsStatus met = sameFileOrTaken(source, target);
        if (met != FsStatus::Ok && !(caseAlias && met == FsStatus::TargetExists))
            return met;
    }
    for (const SimulatedDirectory* side : {&source, &target}) {
        if (side->info().search != FsStatus::Ok)
            return side->info().search;
        if (side->info().change != FsStatus::Ok)
            return side->info().change;
    }
    if (source.info().device != target.info().device)
        return FsStatus::Refused; // EXDEV: renames never cross file systems
    if (const FsStatus file = removable(source); file != FsStatus::Ok)
        return file;
    source.move(oldKey_, newKey_, oldDiskName_);
    return FsStatus::Ok;
}

// A taken new name is refused; a second hard link of the file itself has a
// word of its own, as the POSIX layer gives it. Asked only when names meet.
FsStatus RunCheck::sameFileOrTaken(const SimulatedDirectory& source,
                                   const SimulatedDirectory& target) {
    const std::optional<FileIdentity> file = identify(source, oldKey_);
    const std::optional<FileIdentity> met = identify(target, newKey_);
    if (file && met && file->sameFileAs(*met) && !file->isDirectory && file->links > 1)
        return FsStatus::SameFileLink;
    return FsStatus::TargetExists;
}

// Through the handle of the directory: no walk of the whole path per file.
std::optional<FileIdentity> RunCheck::identify(const SimulatedDirectory& directory,
                                               const std::string& key) {
    return session_.identify(directory.path(), directory.diskName(key));
}

// What the file itself allows: inside a sticky directory of someone else only
// its owner may rename it, and an immutable or append-only file keeps its name.
FsStatus RunCheck::removable(const SimulatedDirectory& source) {
    const std::optional<FileIdentity> file = session_.identify(source.path(), oldDiskName_);
    if (!file)
        return FsStatus::Ok;
    if (file->fixed || (source.info().stickyForeign && !file->ownedByUser))
        return FsStatus::AccessDenied;
    return FsStatus::Ok;
}

} // namespace

RunPrediction predictRun(const RenameList& list, RenameFileSystem& fileSystem) {
    RunPrediction prediction;
    RunDirectories directories;
    directories.resolve(list, fileSystem);
    // Each directory is listed, and each file looked at, through the handle a
    // run would rename in.
    const std::unique_ptr<RenameSession> session = fileSystem.openSession();
    RunCheck check(fileSystem, *session, list, directories);
    prediction.words.resize(static_cast<std::size_t>(std::max(list.RowCount(), 1)));
    RowPlan plan;
    std::string oldPath;
    std::string newPath;
    for (int row = 1; row < list.RowCount(); ++row) {
        planRow(list, row, plan);
        ResultWord word = plan.word;
        const ResolvedDirectory& directory = directories.of(row);
        if (!word && directory.status != FsStatus::Ok)
            word = resultWordFor(directory.status);
        if (!word) {
            oldPath.assign(directory.path).append(plan.oldName());
            newPath.assign(directory.path).append(plan.newName());
            word = resultWordFor(check.rename(oldPath, newPath));
        }
        prediction.words[static_cast<std::size_t>(row)] = word->text();
        if (word == &resultword::success)
            ++prediction.renamed;
        else if (word != &resultword::unchanged) {
            ++prediction.failed;
            prediction.failures += failureLine(plan.oldPath, plan.newPath, word->text());
        }
    }
    return prediction;
}

std::string precheckStatusText(const RunPrediction& prediction) {
    return checktext::status.fill(
        {std::to_string(prediction.renamed), std::to_string(prediction.failed)});
}

std::string predictedWord(std::string_view word) {
    return checktext::predicted.text() + std::string(word);
}

} // namespace quorbel
