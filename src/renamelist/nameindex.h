// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// The hash of a file name for the flat name tables: the standard hash, folded,
// so names that differ in a digit or two in the middle (IMG_0412.jpg,
// IMG_0413.jpg) spread over all 32 bits.
std::uint32_t nameHash(std::string_view name);

// The names one directory holds while the check walks a run through it, each
// with the name the file had on disk before the rows above renamed it. One
// block of names and an open-addressing index over it: a hundred thousand
// names cost no allocation each, and a look-up one slot and one name instead of
// a bucket, a node and a second map. A name renamed away stays in the block,
// where the file's own name is still needed.
class NameIndex {
public:
    // Past compactAt bytes the block is copied down to the names still in
    // use, so that an offset always fits its 32 bits.
    explicit NameIndex(std::size_t expected = 0, std::size_t compactAt = std::size_t{1} << 31);

    bool contains(std::string_view key) const;
    // The name on disk of the file key stands for now; key itself for a file
    // no row has renamed yet. Valid until the next insert or move.
    std::string_view origin(std::string_view key) const;
    // A name found on disk, its own name: nothing when it is known already.
    void insert(std::string_view key);
    // The file at oldKey is now at newKey and keeps its name on disk, unless
    // newKey is that name.
    void move(std::string_view oldKey, std::string_view newKey);
    // Starts fetching key's slot, so a look-up shortly after does not wait.
    void prefetch(std::string_view key) const;

private:
    static constexpr std::uint32_t emptyOffset = 0xFFFFFFFFu;
    static constexpr std::uint32_t erasedOffset = 0xFFFFFFFEu;
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t key = emptyOffset; // into names_, where the name ends in NUL
        std::uint32_t origin = emptyOffset;
    };
    std::size_t slotOf(std::string_view name, std::uint32_t hash) const;
    std::string_view nameAt(std::uint32_t offset) const;
    std::uint32_t append(std::string_view name);
    void place(std::string_view key, std::uint32_t origin);
    void rebuild(bool compact);

    std::size_t compactAt_;
    std::string names_;
    std::vector<Slot> slots_;
    std::size_t used_ = 0; // slots ever taken, erased ones included
    std::size_t live_ = 0;
};

} // namespace quorbel
