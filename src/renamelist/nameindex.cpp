// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/nameindex.h"

#include <cstring>
#include <functional>
#include <utility>

namespace quorbel {
namespace {

std::size_t slotsFor(std::size_t names) {
    std::size_t size = 16;
    while (size < 2 * names + 16)
        size *= 2;
    return size;
}

} // namespace

NameIndex::NameIndex(std::size_t expected, std::size_t compactAt)
    : compactAt_(compactAt), slots_(slotsFor(expected)) {}

std::uint32_t nameHash(std::string_view name) {
    std::uint64_t hash = std::hash<std::string_view>{}(name);
    hash ^= hash >> 29;
    hash *= 0xBF58476D1CE4E5B9ull;
    hash ^= hash >> 32;
    return static_cast<std::uint32_t>(hash);
}

std::string_view NameIndex::nameAt(std::uint32_t offset) const {
    return std::string_view(names_.data() + offset);
}

// The slot holding name, or the first free one on its probe path. Names hold
// no NUL: the kernel takes none, and the check refuses such a row before.
std::size_t NameIndex::slotOf(std::string_view name, std::uint32_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.key == emptyOffset)
            return i;
        if (slot.key == erasedOffset || slot.hash != hash)
            continue;
        const char* stored = names_.data() + slot.key;
        if (std::memcmp(stored, name.data(), name.size()) == 0 && stored[name.size()] == '\0')
            return i;
    }
}

void NameIndex::prefetch(std::string_view key) const {
    __builtin_prefetch(&slots_[nameHash(key) & (slots_.size() - 1)]);
}

bool NameIndex::contains(std::string_view key) const {
    return slots_[slotOf(key, nameHash(key))].key != emptyOffset;
}

std::string_view NameIndex::origin(std::string_view key) const {
    const Slot& slot = slots_[slotOf(key, nameHash(key))];
    return slot.key == emptyOffset ? key : nameAt(slot.origin);
}

std::uint32_t NameIndex::append(std::string_view name) {
    const auto offset = static_cast<std::uint32_t>(names_.size());
    names_.append(name).push_back('\0');
    return offset;
}

void NameIndex::insert(std::string_view key) {
    if (contains(key))
        return;
    if (names_.size() + key.size() + 1 >= compactAt_)
        rebuild(true);
    const std::uint32_t offset = append(key);
    place(nameAt(offset), offset);
}

void NameIndex::move(std::string_view oldKey, std::string_view newKey) {
    std::string_view originName = oldKey;
    std::uint32_t origin = emptyOffset;
    Slot& old = slots_[slotOf(oldKey, nameHash(oldKey))];
    if (old.key != emptyOffset) {
        origin = old.origin;
        originName = nameAt(origin);
        old.key = erasedOffset; // kept as a step on other names' probe paths
        --live_;
    }
    std::string kept; // the file's own name, where compacting moves the block
    if (names_.size() + newKey.size() + originName.size() + 2 >= compactAt_) {
        kept.assign(originName);
        originName = kept;
        origin = emptyOffset;
        rebuild(true);
    }
    const bool back = originName == newKey; // before the block may move
    const std::uint32_t key = append(newKey);
    if (back)
        origin = key;
    else if (origin == emptyOffset)
        origin = append(originName);
    place(nameAt(key), origin);
}

// key is stored at the offset its slot names; the slot is taken anew.
void NameIndex::place(std::string_view key, std::uint32_t origin) {
    if ((used_ + 1) * 4 > slots_.size() * 3) {
        const std::uint32_t keyOffset = static_cast<std::uint32_t>(key.data() - names_.data());
        rebuild(false);
        key = nameAt(keyOffset);
    }
    const std::uint32_t hash = nameHash(key);
    Slot& slot = slots_[slotOf(key, hash)];
    if (slot.key == emptyOffset) {
        ++used_;
        ++live_;
    }
    slot = {hash, static_cast<std::uint32_t>(key.data() - names_.data()), origin};
}

// Drops the erased slots, grows where the live names need it, and with compact
// copies the block down to the names still in use.
void NameIndex::rebuild(bool compact) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(slotsFor(live_), Slot{});
    std::string block;
    if (compact)
        block.swap(names_);
    used_ = 0;
    const std::size_t mask = slots_.size() - 1;
    for (Slot slot : old) {
        if (slot.key == emptyOffset || slot.key == erasedOffset)
            continue;
        if (compact) {
            const bool own = slot.origin == slot.key;
            const auto copy = [&](std::uint32_t from) {
                const auto offset = static_cast<std::uint32_t>(names_.size());
                names_.append(block.data() + from).push_back('\0');
                return offset;
            };
            slot.key = copy(slot.key);
            slot.origin = own ? slot.key : copy(slot.origin);
        }
        std::size_t i = slot.hash & mask;
        while (slots_[i].key != emptyOffset)
            i = (i + 1) & mask;
        slots_[i] = slot;
        ++used_;
    }
}

} // namespace quorbel
