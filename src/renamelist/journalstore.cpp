#include "renamelist/journalstore.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorbel {
namespace {

constexpr const char* fileName = "last-run.journal";

std::string errorText(int error) {
    return std::strerror(error);
}

bool writeWhole(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A run holds its journal locked; reading it then would see a run in progress.
std::optional<std::string> readWhole(const std::string& path, int& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return std::nullopt;
    }
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        error = errno == EWOULDBLOCK ? EWOULDBLOCK : errno;
        ::close(fd);
        return std::nullopt;
    }
    std::string text;
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = errno;
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        text.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return text;
}

} // namespace

std::string journalDirectoryFrom(const char* xdgStateHome, const char* home) {
    if (xdgStateHome && xdgStateHome[0] == '/')
        return std::string(xdgStateHome) + "/quorbel";
    if (home && home[0] == '/')
        return std::string(home) + "/.local/state/quorbel";
    return std::string();
}

std::string defaultJournalDirectory() {
    return journalDirectoryFrom(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
}

JournalFile::JournalFile(int fd) : fd_(fd) {}

JournalFile::~JournalFile() {
    ::close(fd_);
}

bool JournalFile::writeAll(std::string_view text) {
    return writeWhole(fd_, text);
}

// Written before any rename of the batch is tried, so a crash can leave only
// journaled renames that did not happen yet, never a rename without its line.
bool JournalFile::beginBatch(const std::vector<Rename>& renames) {
    buffer_.clear();
    for (const auto& [oldPath, newPath] : renames)
        appendJournalRename(buffer_, oldPath, newPath);
    return writeAll(buffer_);
}

bool JournalFile::endBatch(const std::vector<bool>& renamed) {
    buffer_.clear();
    appendJournalOutcome(buffer_, renamed);
    return writeAll(buffer_);
}

bool JournalFile::finish() {
    return writeAll(journalFinishedLine());
}

JournalStore::JournalStore(std::string directory) : directory_(std::move(directory)) {}

std::string JournalStore::path() const {
    return directory_ + "/" + fileName;
}

bool JournalStore::makeDirectory(std::string& error) const {
    if (directory_.empty()) {
        error = "no home directory";
        return false;
    }
    // Every missing parent, as "mkdir -p" would, private to the user.
    for (std::size_t slash = 1; slash != std::string::npos;) {
        slash = directory_.find('/', slash + 1);
        const std::string part = directory_.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = part + ": " + errorText(errno);
            return false;
        }
    }
    return true;
}

std::unique_ptr<JournalFile> JournalStore::start(std::string& error) const {
    if (!makeDirectory(error))
        return nullptr;
    const std::string file = path();
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = file + ": " + errorText(errno);
        return nullptr;
    }
    auto journal = std::make_unique<JournalFile>(fd);
    // Locked before it is emptied, so a run in another window keeps its journal.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = file + ": " + errorText(errno);
        return nullptr;
    }
    if (::ftruncate(fd, 0) != 0 || !writeWhole(fd, journalHeader())) {
        error = file + ": " + errorText(errno);
        return nullptr;
    }
    return journal;
}

JournalRead JournalStore::read() const {
    JournalRead result;
    int error = 0;
    const std::optional<std::string> text = readWhole(path(), error);
    if (!text) {
        result.status = error == ENOENT        ? JournalReadStatus::Missing
                        : error == EWOULDBLOCK ? JournalReadStatus::Busy
                                               : JournalReadStatus::Unreadable;
        if (result.status == JournalReadStatus::Unreadable)
            result.problem = errorText(error);
        return result;
    }
    return parseJournal(*text);
}

bool JournalStore::replace(const std::vector<JournalEntry>& entries) const {
    if (entries.empty())
        return ::unlink(path().c_str()) == 0 || errno == ENOENT;
    const std::string temporary = path() + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = writeWhole(fd, formatJournal(entries));
    if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), path().c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

std::string JournalStore::setAside() const {
    const std::string from = path();
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const std::string to = from + ".damaged-" + std::to_string(attempt);
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
            return to;
        if (errno != EEXIST)
            return std::string();
    }
    return std::string();
}

} // namespace quorbel
