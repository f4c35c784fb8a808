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
    SimulatedDirectory(std::string spelling, DirectoryListing listing)
        : spelling_(std::move(spelling)), info_(std::move(listing)) {
        present_.reserve(info_.names.size());
        for (std::string& name : info_.names)
            present_.insert(info_.foldsCase ? foldAscii(name) : std::move(name));
        info_.names.clear();
        info_.names.shrink_to_fit();
    }

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
        const bool there = fs.getAttributes(spelling_ + std::string(name)).has_value();
        (there ? present_ : absent_).insert(key);
        return there;
    }

    // A rename inside one directory moves the name's node over to the new
    // name, so checking a row allocates nothing.
    void move(const std::string& oldKey, SimulatedDirectory& target, const std::string& newKey) {
        auto node = present_.extract(oldKey);
        if (!info_.listed)
            absent_.insert(oldKey);
        if (!target.info_.listed)
            target.absent_.erase(newKey);
        if (node.empty()) {
            target.present_.insert(newKey);
            return;
        }
        node.value() = newKey;
        target.present_.insert(std::move(node));
    }

private:
    std::string spelling_;
    DirectoryListing info_;
    NameSet present_;
    NameSet absent_;
};

std::pair<std::string_view, std::string_view> splitPath(std::string_view path) {
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {std::string_view(), path};
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

class RunCheck {
public:
    explicit RunCheck(RenameFileSystem& fs) : fs_(fs) {}

    FsStatus rename(const std::string& from, const std::string& to);

private:
    SimulatedDirectory& directory(std::string_view spelling);
    FsStatus renameBetween(SimulatedDirectory& source, std::string_view oldName,
                           SimulatedDirectory& target, std::string_view newName);

    RenameFileSystem& fs_;
    std::string oldKey_;
    std::string newKey_;
    // Rows of one directory tend to follow each other.
    std::string lastSpelling_;
    SimulatedDirectory* last_ = nullptr;
    std::unordered_map<std::string, SimulatedDirectory*, NameHash, std::equal_to<>> bySpelling_;
    std::map<std::pair<std::uint64_t, std::uint64_t>, SimulatedDirectory*> byIdentity_;
    std::vector<std::unique_ptr<SimulatedDirectory>> directories_;
};

SimulatedDirectory& RunCheck::directory(std::string_view spelling) {
    if (last_ && spelling == lastSpelling_)
        return *last_;
    lastSpelling_.assign(spelling);
    const auto known = bySpelling_.find(spelling);
    if (known != bySpelling_.end())
        return *(last_ = known->second);
    DirectoryListing listing = fs_.listDirectory(std::string(spelling));
    const std::pair<std::uint64_t, std::uint64_t> identity{listing.device, listing.inode};
    const bool identified = identity.first != 0 || identity.second != 0;
    SimulatedDirectory* found = nullptr;
    if (identified) {
        const auto same = byIdentity_.find(identity);
        if (same != byIdentity_.end())
            found = same->second;
    }
    if (!found) {
        directories_.push_back(
            std::make_unique<SimulatedDirectory>(std::string(spelling), std::move(listing)));
        found = directories_.back().get();
        if (identified)
            byIdentity_.emplace(identity, found);
    }
    bySpelling_.emplace(std::string(spelling), found);
    return *(last_ = found);
}

// The same refusals, in the same order, as renameNoReplace on POSIX: the path
// checks of the call itself, then the kernel's (reaching both directories, a
// read-only mount, the old name, the new name, and only then permission to
// search and write the directories).
FsStatus RunCheck::rename(const std::string& from, const std::string& to) {
    if (from.empty())
        return FsStatus::SourceMissing;
    if (to.empty() || from.find('\0') != std::string::npos || to.find('\0') != std::string::npos)
        return FsStatus::InvalidName;
    if (from.size() >= PATH_MAX || to.size() >= PATH_MAX)
        return FsStatus::InvalidName;
    const auto [oldDirectory, oldName] = splitPath(from);
    const auto [newDirectory, newName] = splitPath(to);
    SimulatedDirectory& source = directory(oldDirectory);
    SimulatedDirectory& target = directory(newDirectory);
    for (const SimulatedDirectory* side : {&source, &target}) {
        if (side->info().status != FsStatus::Ok)
            return side->info().status;
    }
    return renameBetween(source, oldName, target, newName);
}

FsStatus RunCheck::renameBetween(SimulatedDirectory& source, std::string_view oldName,
                                 SimulatedDirectory& target, std::string_view newName) {
    if (source.info().change == FsStatus::ReadOnlyFileSystem)
        return FsStatus::ReadOnlyFileSystem;
    if (oldName.size() > source.info().nameMax)
        return FsStatus::InvalidName;
    source.key(oldName, oldKey_);
    const std::string& oldKey = oldKey_;
    if (!source.contains(oldKey, oldName, fs_))
        return FsStatus::SourceMissing;
    if (newName.size() > target.info().nameMax)
        return FsStatus::InvalidName;
    target.key(newName, newKey_);
    const std::string& newKey = newKey_;
    // Where case is folded, a change of case alone meets the file itself,
    // which the POSIX layer renames through a temporary name.
    const bool caseAlias = &source == &target && oldKey == newKey;
    if (!caseAlias && target.contains(newKey, newName, fs_))
        return FsStatus::TargetExists;
    for (const SimulatedDirectory* side : {&source, &target}) {
        if (side->info().search != FsStatus::Ok)
            return side->info().search;
        if (side->info().change != FsStatus::Ok)
            return side->info().change;
    }
    if (source.info().device != target.info().device)
        return FsStatus::Refused; // EXDEV: renames never cross file systems
    source.move(oldKey, target, newKey);
    return FsStatus::Ok;
}

} // namespace

RunPrediction predictRun(const RenameList& list, RenameFileSystem& fileSystem) {
    RunPrediction prediction;
    RunCheck check(fileSystem);
    prediction.words.resize(static_cast<std::size_t>(std::max(list.RowCount(), 1)));
    RowPlan plan;
    for (int row = 1; row < list.RowCount(); ++row) {
        planRow(list, row, plan);
        ResultWord word = plan.word;
        if (!word)
            word = resultWordFor(check.rename(plan.oldPath, plan.newPath));
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
