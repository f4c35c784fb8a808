// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/journalstore.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorbel {
namespace {

constexpr std::string_view runPrefix = "run-";
constexpr std::string_view runSuffix = ".journal";
constexpr const char* lockName = "/lock";

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

std::optional<std::string> readWhole(const std::string& path, int& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
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

// "run-000042.journal" is run 42; every other name is not a kept run.
std::optional<std::uint64_t> runNumber(std::string_view name) {
    if (!name.starts_with(runPrefix) || !name.ends_with(runSuffix))
        return std::nullopt;
    name.remove_prefix(runPrefix.size());
    name.remove_suffix(runSuffix.size());
    if (name.empty() || name.size() > 18)
        return std::nullopt;
    std::uint64_t number = 0;
    for (char c : name) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return number;
}

std::string runFileName(std::uint64_t number) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%06llu", static_cast<unsigned long long>(number));
    return std::string(runPrefix) + digits + std::string(runSuffix);
}

} // namespace

std::string historyBusyText() {
    return historytext::busy.text();
}

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

JournalFile::JournalFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

JournalFile::~JournalFile() {
    ::close(fd_);
}

bool JournalFile::writeAll(std::string_view text) {
    return writeWhole(fd_, text);
}

// Written before any rename of the batch is tried, so a crash can leave only
// journaled renames that did not happen yet, never a rename without its line.
bool JournalFile::beginBatch(const std::vector<Rename>& renames) {
    prepareBatch(renames);
    return beginPrepared();
}

void JournalFile::prepareBatch(const std::vector<Rename>& renames) {
    renames_.text().clear();
    renames_.renames(renames);
}

bool JournalFile::beginPrepared() {
    return writeAll(renames_.text());
}

bool JournalFile::endBatch(const std::vector<bool>& renamed) {
    std::string signs;
    signs.reserve(renamed.size());
    for (bool done : renamed)
        signs += done ? '+' : '-';
    text_.text().clear();
    text_.outcome(signs);
    return writeAll(text_.text());
}

bool JournalFile::finish() {
    text_.text().clear();
    text_.mark("finished");
    return writeAll(text_.text());
}

HistoryLock::~HistoryLock() {
    ::close(fd_); // closing the file releases its lock
}

JournalStore::JournalStore(std::string directory) : directory_(std::move(directory)) {}

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

std::unique_ptr<HistoryLock> JournalStore::lock(bool& busy, std::string& error) const {
    busy = false;
    if (!makeDirectory(error))
        return nullptr;
    const std::string file = directory_ + lockName;
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = file + ": " + errorText(errno);
        return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        busy = errno == EWOULDBLOCK;
        error = busy ? historyBusyText() : file + ": " + errorText(errno);
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<HistoryLock>(fd);
}

bool JournalStore::busy() const {
    const std::string file = directory_ + lockName;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

std::unique_ptr<JournalFile> JournalStore::start(const HistoryLock&, std::string& error) const {
    if (!makeDirectory(error))
        return nullptr;
    const std::vector<KeptRun> kept = runs();
    const std::uint64_t number = kept.empty() ? 1 : kept.front().number + 1;
    const std::string file = directory_ + "/" + runFileName(number);
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = file + ": " + errorText(errno);
        return nullptr;
    }
    auto journal = std::make_unique<JournalFile>(fd, file);
    if (!writeWhole(fd, journalHeaderLine(static_cast<std::int64_t>(std::time(nullptr))))) {
        error = file + ": " + errorText(errno);
        journal.reset();
        ::unlink(file.c_str());
        return nullptr;
    }
    return journal;
}

void JournalStore::settle(const std::string& journal, bool renamedAny) const {
    if (!renamedAny) {
        ::unlink(journal.c_str());
        return;
    }
    const std::vector<KeptRun> kept = runs();
    for (std::size_t i = keptRuns; i < kept.size(); ++i) {
        // A run cut short and never undone stays, however old.
        const JournalRead old = read(kept[i].path);
        const JournalContents& contents = old.contents;
        if (old.status == JournalReadStatus::Ok &&
            (contents.finished || contents.closed || contents.undone))
            ::unlink(kept[i].path.c_str());
    }
}

std::vector<KeptRun> JournalStore::runs() const {
    std::vector<KeptRun> kept;
    DIR* stream = ::opendir(directory_.c_str());
    if (!stream)
        return kept;
    while (const dirent* entry = ::readdir(stream)) {
        if (const auto number = runNumber(entry->d_name))
            kept.push_back({directory_ + "/" + entry->d_name, *number});
    }
    ::closedir(stream);
    std::sort(kept.begin(), kept.end(),
              [](const KeptRun& a, const KeptRun& b) { return a.number > b.number; });
    return kept;
}

JournalRead JournalStore::read(const std::string& journal) const {
    JournalRead result;
    int error = 0;
    const std::optional<std::string> text = readWhole(journal, error);
    if (!text) {
        result.status =
            error == ENOENT ? JournalReadStatus::Missing : JournalReadStatus::Unreadable;
        if (result.status == JournalReadStatus::Unreadable)
            result.problem = errorText(error);
        return result;
    }
    return parseJournal(*text);
}

std::string JournalStore::lastRecord(const std::string& journal) const {
    const int fd = ::open(journal.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::string();
    char tail[512];
    const off_t size = ::lseek(fd, 0, SEEK_END);
    const off_t from = size > static_cast<off_t>(sizeof tail) ? size - sizeof tail : 0;
    const ssize_t got = size > 0 ? ::pread(fd, tail, static_cast<size_t>(size - from), from) : 0;
    ::close(fd);
    if (got <= 0 || tail[got - 1] != '\n')
        return std::string();
    const std::string_view text(tail, static_cast<std::size_t>(got - 1));
    const std::size_t start = text.rfind('\n');
    if (start == std::string_view::npos && from > 0)
        return std::string();
    return journalRecordTag(text.substr(start == std::string_view::npos ? 0 : start + 1))
        .value_or(std::string());
}

bool JournalStore::append(const std::string& journal, const std::string& line) const {
    const int fd = ::open(journal.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = writeWhole(fd, line);
    return ::close(fd) == 0 && written;
}

std::string JournalStore::setAside(const std::string& journal) const {
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const std::string to = journal + ".damaged-" + std::to_string(attempt);
        if (::renameat2(AT_FDCWD, journal.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
            return to;
        if (errno != EEXIST)
            return std::string();
    }
    return std::string();
}

} // namespace quorbel
