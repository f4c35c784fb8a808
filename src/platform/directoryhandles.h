// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorbel {

// Open handles (O_PATH | O_DIRECTORY) of the directories one run works in, a
// few at a time: a list spanning many folders reopens the least recently used.
//
// A handle names the directory itself, not its path. When a folder is moved
// or renamed while the run goes on, its handle follows it and the rows of that
// folder are renamed where the files now are: still inside the folder the user
// listed, under the new name asked for, never replacing (the call keeps its
// no-replace flag). A path would instead reach whatever now sits at the old
// spelling, a folder the user never listed. So every spelling keeps meaning
// the directory that was there when its first row was reached: one reopened
// after eviction must be that same directory, or its rows are refused as
// missing. When the run itself renames a directory (a list may hold a folder
// as a row), handles inside it are let go, so later rows meet the path as a
// run by paths would.
class DirectoryHandles {
public:
    static constexpr std::size_t capacity = 16;
    static constexpr int unreachable = -1; // go by path: it meets the same refusal
    static constexpr int replaced = -2;    // another directory now has this spelling

    DirectoryHandles() = default;
    ~DirectoryHandles();
    DirectoryHandles(const DirectoryHandles&) = delete;
    DirectoryHandles& operator=(const DirectoryHandles&) = delete;

    // The handle of directory ("" is the working directory), opened on first use.
    int handle(const std::string& directory);
    // directory + name was just renamed away; handles inside it no longer
    // stand for their spelling.
    void renamed(std::string_view directory, std::string_view name);
    std::size_t openCount() const { return entries_.size(); }

private:
    struct Entry {
        std::string directory;
        int fd = -1;
        std::uint64_t lastUse = 0;
    };
    int open(const std::string& directory);
    void evictOldest();

    std::vector<Entry> entries_;
    std::size_t last_ = 0; // index of the entry used last, when any
    std::uint64_t clock_ = 0;
    // Each spelling's directory as first met; ordered, so the spellings inside
    // a renamed directory are found as one range.
    std::map<std::string, std::pair<std::uint64_t, std::uint64_t>, std::less<>> identities_;
    std::string inside_; // kept, so a rename costs no allocation
};

} // namespace quorbel
