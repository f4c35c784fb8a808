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
// hundred thousand names cost no allocation each and a look-up no pointer chase.
class InodeTable {
public:
    explicit InodeTable(DirectoryInodes listing);

    std::uint64_t device() const { return device_; }
    std::optional<std::uint64_t> find(std::string_view name) const;
    // A rename went through: the file is found under its new name from now on.
    void rename(std::string_view oldName, std::string_view newName);

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t offset = 0; // into names_; empty when length is 0
        std::uint32_t length = 0;
        std::uint64_t inode = 0;
    };
    static std::uint32_t hashOf(std::string_view name);
    std::size_t slotOf(std::string_view name, std::uint32_t hash) const;
    std::string_view nameAt(const Slot& slot) const {
        return std::string_view(names_).substr(slot.offset, slot.length);
    }
    void insert(std::string_view name, std::uint64_t inode);
    void grow();

    std::uint64_t device_;
    std::string names_;
    std::vector<Slot> slots_;
    std::size_t used_ = 0; // slots ever taken, erased ones included
};

} // namespace quorbel
