// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quorbel {

// Texts that many rows share (a directory, an extension, a result word), each
// kept once and named by a small number. A text never moves once it is in:
// the deque keeps every element where it was put, so a reference handed out
// by text() stays valid as long as the pool, however many texts follow.
class TextPool {
public:
    using Id = std::uint32_t;
    static constexpr Id empty = 0; // the empty text, always there

    TextPool();
    // A copy keeps every text under its number; a move takes the texts along
    // without moving them, so views into them stay keys.
    TextPool(const TextPool& other);
    TextPool& operator=(const TextPool& other);
    TextPool(TextPool&&) noexcept = default;
    TextPool& operator=(TextPool&&) noexcept = default;

    Id intern(std::string_view text);
    const std::string& text(Id id) const { return texts_[id]; }
    std::size_t size() const { return texts_.size(); }

private:
    std::deque<std::string> texts_;
    // Keys view the texts in texts_, which never move.
    std::unordered_map<std::string_view, Id> ids_;
    // Rows come in runs of one directory or one word: the last text answers
    // most look-ups without hashing.
    Id last_ = empty;
};

} // namespace quorbel
