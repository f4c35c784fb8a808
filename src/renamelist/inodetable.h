// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

class RenameList;

// The file names of a folder's rows, waiting for one pass over the folder to
// give each its inode. It holds only the names the list renames from, as row
// numbers into the list, so it is as small as the list's part in that folder
// (8 bytes a slot, one and a half slots a name) however large the folder is, and
// it is gone before the first rename: its cache lines are none the kernel's
// renames lose.
class InodeTable {
public:
    InodeTable(const RenameList& list, std::size_t rows);

    // Keeps row's file name. A name already kept stays with its first row: the
    // listing tells what a name held before the run, which only the first row
    // renaming from it may take as its own.
    void add(std::uint32_t row);
    // The row kept under name, or 0.
    std::uint32_t find(std::string_view name) const;

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t row = 0; // 0: empty
    };
    // The hash scaled onto the slots, without a power-of-two size.
    std::size_t firstSlot(std::uint32_t hash) const {
        return static_cast<std::size_t>((std::uint64_t{hash} * slots_.size()) >> 32);
    }
    std::size_t nextSlot(std::size_t i) const { return i + 1 == slots_.size() ? 0 : i + 1; }
    bool holds(std::uint32_t row, std::string_view name) const;

    const RenameList& list_;
    std::vector<Slot> slots_;
    std::string name_; // the row's name being added, its capacity kept
};

} // namespace quorbel
