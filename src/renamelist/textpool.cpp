// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/textpool.h"

#include <utility>

namespace quorbel {

TextPool::TextPool() {
    texts_.emplace_back();
    ids_.emplace(std::string_view(texts_.front()), empty);
}

TextPool::TextPool(const TextPool& other) : texts_(other.texts_) {
    for (std::size_t id = 0; id < texts_.size(); ++id)
        ids_.emplace(std::string_view(texts_[id]), static_cast<Id>(id));
}

TextPool& TextPool::operator=(const TextPool& other) {
    if (this != &other) {
        TextPool copy(other);
        *this = std::move(copy);
    }
    return *this;
}

TextPool::Id TextPool::intern(std::string_view text) {
    if (text == texts_[last_])
        return last_;
    const auto found = ids_.find(text);
    if (found != ids_.end())
        return last_ = found->second;
    const auto id = static_cast<Id>(texts_.size());
    texts_.emplace_back(text);
    ids_.emplace(std::string_view(texts_.back()), id);
    return last_ = id;
}

} // namespace quorbel
