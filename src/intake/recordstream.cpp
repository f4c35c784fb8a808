// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/recordstream.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorbel {

RecordStream::RecordStream(int fd, bool nulSeparated, std::size_t chunk)
    : fd_(fd), nulSeparated_(nulSeparated), buffer_(chunk < 4 ? 4 : chunk, '\0') {}

RecordStream::~RecordStream() {
    ::close(fd_);
}

std::unique_ptr<RecordStream> RecordStream::openFile(const std::string& path, bool nulSeparated) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        errno = 0;
        return nullptr;
    }
    return std::make_unique<RecordStream>(fd, nulSeparated);
}

bool RecordStream::rewind() {
    if (::lseek(fd_, 0, SEEK_SET) != 0) {
        error_ = errno;
        return false;
    }
    begin_ = end_ = 0;
    atStart_ = true;
    atEnd_ = false;
    error_ = 0;
    return true;
}

// Keeps the unfinished record at the front and reads behind it; a record
// longer than the buffer makes the buffer grow to hold it.
bool RecordStream::fill() {
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    for (;;) {
        const ssize_t got = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error_ = errno;
            return false;
        }
        if (got == 0) {
            atEnd_ = true;
            return false;
        }
        end_ += static_cast<std::size_t>(got);
        return true;
    }
}

bool RecordStream::next(std::string_view& record) {
    const char separator = nulSeparated_ ? '\0' : '\n';
    std::size_t searched = begin_;
    for (;;) {
        const void* found = std::memchr(buffer_.data() + searched, separator, end_ - searched);
        std::size_t stop =
            found ? static_cast<std::size_t>(static_cast<const char*>(found) - buffer_.data())
                  : end_;
        if (!found && !atEnd_ && !error_) {
            const std::size_t scanned = end_ - begin_;
            if (fill()) {
                searched = begin_ + scanned;
                continue;
            }
            if (error_)
                return false;
            stop = end_;
        }
        if (!found && begin_ == end_)
            return false;
        std::size_t first = begin_;
        // Editors on some systems start a UTF-8 text with a byte-order mark.
        if (atStart_) {
            atStart_ = false;
            if (std::string_view(buffer_.data() + first, stop - first).starts_with("\xEF\xBB\xBF"))
                first += 3;
        }
        std::size_t last = stop;
        if (!nulSeparated_ && last > first && buffer_[last - 1] == '\r')
            --last;
        record = std::string_view(buffer_.data() + first, last - first);
        begin_ = found ? stop + 1 : stop;
        return true;
    }
}

} // namespace quorbel
