// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/inodetable.h"

#include "renamelist/nameindex.h"
#include "renamelist/renamelist.h"

#include <cstring>

namespace quorbel {

// Three slots for two names: a power of two would round a million rows up to
// two million slots, and at a million files that is memory the run has not.
InodeTable::InodeTable(const RenameList& list, std::size_t rows)
    : list_(list), slots_(rows + rows / 2 + 16) {}

bool InodeTable::holds(std::uint32_t row, std::string_view name) const {
    const std::string& stem = list_.getCell(RenameList::OldName, static_cast<int>(row));
    const std::string& extension = list_.getCell(RenameList::Extension, static_cast<int>(row));
    return name.size() == stem.size() + extension.size() &&
           std::memcmp(name.data(), stem.data(), stem.size()) == 0 &&
           std::memcmp(name.data() + stem.size(), extension.data(), extension.size()) == 0;
}

void InodeTable::add(std::uint32_t row) {
    const int at = static_cast<int>(row);
    name_.assign(list_.getCell(RenameList::OldName, at))
        .append(list_.getCell(RenameList::Extension, at));
    const std::uint32_t hash = nameHash(name_);
    for (std::size_t i = firstSlot(hash);; i = nextSlot(i)) {
        Slot& slot = slots_[i];
        if (slot.row == 0) {
            slot = {hash, row};
            return;
        }
        if (slot.hash == hash && holds(slot.row, name_))
            return;
    }
}

std::uint32_t InodeTable::find(std::string_view name) const {
    const std::uint32_t hash = nameHash(name);
    for (std::size_t i = firstSlot(hash);; i = nextSlot(i)) {
        const Slot& slot = slots_[i];
        if (slot.row == 0)
            return 0;
        if (slot.hash == hash && holds(slot.row, name))
            return slot.row;
    }
}

} // namespace quorbel
