// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/directoryhandles.h"

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorbel {

DirectoryHandles::~DirectoryHandles() {
    for (const Entry& entry : entries_)
        ::close(entry.fd);
}

int DirectoryHandles::handle(const std::string& directory) {
    // Rows of one folder follow each other: the last handle answers most calls.
    if (last_ < entries_.size() && entries_[last_].directory == directory) {
        entries_[last_].lastUse = ++clock_; // never the one a second handle evicts
        return entries_[last_].fd;
    }
    for (std::size_t k = 0; k < entries_.size(); ++k) {
        if (entries_[k].directory == directory) {
            entries_[k].lastUse = ++clock_;
            last_ = k;
            return entries_[k].fd;
        }
    }
    return open(directory);
}

int DirectoryHandles::open(const std::string& directory) {
    if (directory.find('\0') != std::string::npos)
        return unreachable;
    const char* path = directory.empty() ? "." : directory.c_str();
    const int fd = ::open(path, O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return unreachable;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return unreachable;
    }
    const std::pair<std::uint64_t, std::uint64_t> identity{info.st_dev, info.st_ino};
    const auto [known, first] = identities_.emplace(directory, identity);
    if (!first && known->second != identity) {
        ::close(fd);
        return replaced;
    }
    if (entries_.size() >= capacity)
        evictOldest();
    entries_.push_back({directory, fd, ++clock_});
    last_ = entries_.size() - 1;
    return fd;
}

void DirectoryHandles::evictOldest() {
    const auto oldest =
        std::min_element(entries_.begin(), entries_.end(),
                         [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
    ::close(oldest->fd);
    entries_.erase(oldest);
    last_ = entries_.size();
}

void DirectoryHandles::renamed(std::string_view directory, std::string_view name) {
    inside_.assign(directory).append(name).append(1, '/');
    auto first = identities_.lower_bound(inside_);
    auto last = first;
    while (last != identities_.end() && last->first.starts_with(inside_))
        ++last;
    if (first == last)
        return; // no handle was ever opened inside it
    identities_.erase(first, last);
    for (std::size_t k = entries_.size(); k-- > 0;) {
        if (!entries_[k].directory.starts_with(inside_))
            continue;
        ::close(entries_[k].fd);
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(k));
        last_ = entries_.size();
    }
}

} // namespace quorbel
