// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/inodetable.h"

#include <cstring>
#include <functional>

namespace quorbel {

InodeTable::InodeTable(DirectoryInodes listing) : device_(listing.device) {
    names_ = std::move(listing.names);
    std::size_t size = 16;
    while (size < listing.inodes.size() + listing.inodes.size() / 4 + 16)
        size *= 2;
    slots_.resize(size);
    std::size_t offset = 0;
    for (const std::uint64_t inode : listing.inodes) {
        const std::size_t end = names_.find('\0', offset);
        if (end == std::string::npos || offset >= erasedOffset)
            break;
        const std::string_view name = std::string_view(names_).substr(offset, end - offset);
        const std::uint32_t hash = hashOf(name);
        Slot& slot = slots_[slotOf(name, hash)];
        if (slot.offset == emptyOffset) {
            slot = {hash, static_cast<std::uint32_t>(offset), inode};
            ++used_;
        }
        offset = end + 1;
    }
}

// The index takes the low bits: the standard hash, folded, spreads names that
// differ in a digit or two in the middle (IMG_0412.jpg, IMG_0413.jpg).
std::uint32_t InodeTable::hashOf(std::string_view name) {
    std::uint64_t hash = std::hash<std::string_view>{}(name);
    hash ^= hash >> 29;
    hash *= 0xBF58476D1CE4E5B9ull;
    hash ^= hash >> 32;
    return static_cast<std::uint32_t>(hash);
}

bool InodeTable::holds(const Slot& slot, std::string_view name) const {
    if (slot.offset + name.size() >= names_.size())
        return false;
    const char* stored = names_.data() + slot.offset;
    return std::memcmp(stored, name.data(), name.size()) == 0 && stored[name.size()] == '\0';
}

// The slot holding name, or the first free one on its probe path.
std::size_t InodeTable::slotOf(std::string_view name, std::uint32_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.offset == emptyOffset)
            return i;
        if (slot.offset != erasedOffset && slot.hash == hash && holds(slot, name))
            return i;
    }
}

void InodeTable::prefetch(std::string_view name) const {
    __builtin_prefetch(&slots_[hashOf(name) & (slots_.size() - 1)]);
}

std::optional<std::uint64_t> InodeTable::find(std::string_view name) const {
    if (name.empty())
        return std::nullopt;
    const Slot& slot = slots_[slotOf(name, hashOf(name))];
    if (slot.offset == emptyOffset)
        return std::nullopt;
    return slot.inode;
}

std::optional<std::uint64_t> InodeTable::take(std::string_view name) {
    if (name.empty())
        return std::nullopt;
    Slot& slot = slots_[slotOf(name, hashOf(name))];
    if (slot.offset == emptyOffset)
        return std::nullopt;
    slot.offset = erasedOffset; // kept as a step on other names' probe paths
    return slot.inode;
}

void InodeTable::rename(std::string_view oldName, std::string_view newName) {
    if (oldName.empty() || newName.empty())
        return;
    if (const std::optional<std::uint64_t> inode = take(oldName))
        insert(newName, *inode);
}

void InodeTable::insert(std::string_view name, std::uint64_t inode) {
    if (names_.size() + name.size() + 1 >= erasedOffset)
        return; // past what an offset can name: the name is looked at instead
    if ((used_ + 1) * 4 > slots_.size() * 3)
        grow();
    const std::uint32_t hash = hashOf(name);
    Slot& slot = slots_[slotOf(name, hash)];
    if (slot.offset == emptyOffset)
        ++used_;
    const auto offset = static_cast<std::uint32_t>(names_.size());
    names_.append(name).append(1, '\0');
    slot = {hash, offset, inode};
}

void InodeTable::grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.size() * 2, Slot{});
    used_ = 0;
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.offset == emptyOffset || slot.offset == erasedOffset)
            continue;
        std::size_t i = slot.hash & mask;
        while (slots_[i].offset != emptyOffset)
            i = (i + 1) & mask;
        slots_[i] = slot;
        ++used_;
    }
}

} // namespace quorbel
