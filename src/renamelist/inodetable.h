// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/renamefilesystem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// The inodes of one directory by name, as the run keeps them while it renames
// there: one block of names and an open-addressing index over it, so a
// hundred thousand names cost no allocation each and a look-up no pointer
// chase. A slot is 16 bytes and the index about 1.3 slots a name: the run
// looks up names in no order the index could follow, and every cache line the
// index takes is one the kernel's own renames lose.
class InodeTable {
public:
    explicit InodeTable(DirectoryInodes listing);

    std::uint64_t device() const { return device_; }
    std::optional<std::uint64_t> find(std::string_view name) const;
    // The inode listed under name, which is then forgotten: a second look at
    // that name is a miss, so the caller looks at the file itself.
    std::optional<std::uint64_t> take(std::string_view name);
    // A rename went through: the file is found under its new name from now on.
    void rename(std::string_view oldName, std::string_view newName);
    // Starts fetching name's slot, so a look-up shortly after does not wait.
    void prefetch(std::string_view name) const;

private:
    static constexpr std::uint32_t emptyOffset = 0xFFFFFFFFu;
    static constexpr std::uint32_t erasedOffset = 0xFFFFFFFEu;
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t offset = emptyOffset; // into names_, where the name ends in NUL
        std::uint64_t inode = 0;
    };
    static std::uint32_t hashOf(std::string_view name);
    std::size_t slotOf(std::string_view name, std::uint32_t hash) const;
    bool holds(const Slot& slot, std::string_view name) const;
    void insert(std::string_view name, std::uint64_t inode);
    void grow();

    std::uint64_t device_;
    std::string names_;
    std::vector<Slot> slots_;
    std::size_t used_ = 0; // slots ever taken, erased ones included
};

} // namespace quorbel
