// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/datenamer.h"

#include "global/coretext.h"

#include "platform/renamefilesystem.h"
#include "renamelist/renamelist.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace quorbel {
namespace {

std::string asciiLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// name is base itself, or base, "_" and a number from 2 on, as the naming
// writes them.
bool bearsDateName(std::string_view name, std::string_view base) {
    if (name == base)
        return true;
    if (!name.starts_with(base) || name.size() < base.size() + 2 || name[base.size()] != '_')
        return false;
    const std::string_view number = name.substr(base.size() + 1);
    return number[0] >= '1' && number[0] <= '9' && number != "1" &&
           std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string numbered(const std::string& base, int number) {
    return number == 1 ? base : base + "_" + std::to_string(number);
}

} // namespace

// The names a directory holds, listed once.
struct DateNamer::Folder {
    std::string directory;
    bool listed = false;
    bool foldsCase = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::unordered_set<std::string> names; // when listed, keyed as key() says
    std::map<std::string, bool> asked;     // when not listed: name -> exists

    std::string key(std::string fileName) const {
        return foldsCase ? asciiLower(std::move(fileName)) : fileName;
    }

    bool holds(const std::string& fileName, RenameFileSystem& fileSystem) {
        if (listed)
            return names.contains(key(fileName));
        const auto [at, added] = asked.try_emplace(fileName, false);
        if (added)
            at->second = fileSystem.getAttributes(directory + fileName).has_value();
        return at->second;
    }
};

// One naming pass: the names given so far, and per plain name the number to
// try next, so that a thousand files of one second cost no more than one.
class DateNamer::Naming {
public:
    explicit Naming(RenameFileSystem& fileSystem) : fileSystem_(fileSystem) {}

    std::string freeName(Folder& folder, const std::string& base, const std::string& extension) {
        int& next = next_.try_emplace({&folder, base + '/' + extension}, 1).first->second;
        for (;; ++next) {
            std::string candidate = numbered(base, next);
            if (!folder.holds(candidate + extension, fileSystem_) &&
                !given_[&folder].contains(folder.key(candidate + extension))) {
                ++next;
                return candidate;
            }
        }
    }

    void give(Folder& folder, const std::string& fileName) {
        given_[&folder].insert(folder.key(fileName));
    }

private:
    RenameFileSystem& fileSystem_;
    std::map<const Folder*, std::unordered_set<std::string>> given_;
    // "/" can be part of neither the name nor the extension, so it separates them.
    std::map<std::pair<const Folder*, std::string>, int> next_;
};

DateNamer::DateNamer(const RenameList& list, RenameFileSystem& fileSystem, DateReader reader)
    : list_(list), fileSystem_(fileSystem), reader_(std::move(reader)) {
    if (!reader_)
        reader_ = [](const std::string& path) { return readDateTaken(path); };
}

DateNamer::~DateNamer() = default;

const std::optional<TakenTime>& DateNamer::takenAt(int row) {
    if (taken_.size() <= static_cast<std::size_t>(row))
        taken_.resize(static_cast<std::size_t>(row) + 1);
    auto& slot = taken_[static_cast<std::size_t>(row)];
    if (!slot)
        slot = reader_(list_.oldPath(row));
    return *slot;
}

DateNamer::Folder& DateNamer::folderOf(const std::string& directory) {
    auto found = folders_.find(directory);
    if (found != folders_.end())
        return *found->second;
    DirectoryListing listing = fileSystem_.listDirectory(directory);
    auto folder = std::make_shared<Folder>();
    folder->directory = directory;
    folder->listed = listing.listed;
    folder->foldsCase = listing.foldsCase;
    // Two spellings of one directory ("/d/" and "/d/./") share one folder.
    if (listing.listed && (listing.device != 0 || listing.inode != 0)) {
        for (const auto& [text, known] : folders_) {
            if (known->listed && known->device == listing.device && known->inode == listing.inode)
                return *folders_.emplace(directory, known).first->second;
        }
    }
    folder->device = listing.device;
    folder->inode = listing.inode;
    for (std::string& name : listing.names)
        folder->names.insert(folder->key(std::move(name)));
    return *folders_.emplace(directory, std::move(folder)).first->second;
}

DateNames DateNamer::names(const DatePattern& pattern, int lastRow) {
    DateNames result;
    Naming naming(fileSystem_);
    lastRow = std::min(lastRow, list_.RowCount() - 1);
    for (int row = 1; row <= lastRow; ++row) {
        const std::string& oldName = list_.getCell(RenameList::OldName, row);
        const std::string& extension = list_.getCell(RenameList::Extension, row);
        if (oldName.empty() && extension.empty())
            continue; // a row naming no file
        const std::optional<TakenTime>& taken = takenAt(row);
        if (!taken) {
            ++result.withoutDate;
            continue;
        }
        Folder& folder = folderOf(list_.getCell(RenameList::Directory, row));
        const std::string base = pattern.format(*taken);
        std::string name =
            bearsDateName(oldName, base) ? oldName : naming.freeName(folder, base, extension);
        naming.give(folder, name + extension);
        result.names.push_back({row, std::move(name)});
    }
    return result;
}

DateNames DateNamer::names(const DatePattern& pattern) {
    return names(pattern, list_.RowCount() - 1);
}

std::string dateNamedStatusText(const DateNames& result) {
    static constexpr CoreText named{"按拍摄日期命名 %1 个文件", "Named %1 files by date taken",
                                    "Named 1 file by date taken"};
    static constexpr CoreText withoutDate{", %1 个文件没有拍摄日期", ", %1 without a date taken"};
    std::string text = named.count(static_cast<long long>(result.names.size()));
    if (result.withoutDate > 0)
        text += withoutDate.count(result.withoutDate);
    return text;
}

} // namespace quorbel
