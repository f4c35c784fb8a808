#include "renamelist/inodetable.h"

#include <functional>

namespace quorbel {
namespace {

constexpr std::uint32_t erasedLength = 0xFFFFFFFFu;

} // namespace

InodeTable::InodeTable(DirectoryInodes listing) : device_(listing.device) {
    names_ = std::move(listing.names);
    std::size_t size = 16;
    while (size < listing.inodes.size() * 2 + 16)
        size *= 2;
    slots_.resize(size);
    std::size_t offset = 0;
    for (const std::uint64_t inode : listing.inodes) {
        const std::size_t end = names_.find('\0', offset);
        if (end == std::string::npos)
            break;
        const std::string_view name = std::string_view(names_).substr(offset, end - offset);
        const std::uint32_t hash = hashOf(name);
        Slot& slot = slots_[slotOf(name, hash)];
        if (slot.length == 0) {
            slot = {hash, static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(name.size()),
                    inode};
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

// The slot holding name, or the first free one on its probe path.
std::size_t InodeTable::slotOf(std::string_view name, std::uint32_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.length == 0)
            return i;
        if (slot.length != erasedLength && slot.hash == hash && nameAt(slot) == name)
            return i;
    }
}

std::optional<std::uint64_t> InodeTable::find(std::string_view name) const {
    if (name.empty())
        return std::nullopt;
    const Slot& slot = slots_[slotOf(name, hashOf(name))];
    if (slot.length == 0)
        return std::nullopt;
    return slot.inode;
}

void InodeTable::rename(std::string_view oldName, std::string_view newName) {
    if (oldName.empty() || newName.empty())
        return;
    Slot& slot = slots_[slotOf(oldName, hashOf(oldName))];
    if (slot.length == 0)
        return;
    const std::uint64_t inode = slot.inode;
    slot.length = erasedLength; // kept as a step on other names' probe paths
    insert(newName, inode);
}

void InodeTable::insert(std::string_view name, std::uint64_t inode) {
    if ((used_ + 1) * 2 > slots_.size())
        grow();
    const std::uint32_t hash = hashOf(name);
    Slot& slot = slots_[slotOf(name, hash)];
    if (slot.length == 0)
        ++used_;
    const auto offset = static_cast<std::uint32_t>(names_.size());
    names_.append(name);
    slot = {hash, offset, static_cast<std::uint32_t>(name.size()), inode};
}

void InodeTable::grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.size() * 2, Slot{});
    used_ = 0;
    for (const Slot& slot : old) {
        if (slot.length == 0 || slot.length == erasedLength)
            continue;
        slots_[slotOf(nameAt(slot), slot.hash)] = slot;
        ++used_;
    }
}

} // namespace quorbel
