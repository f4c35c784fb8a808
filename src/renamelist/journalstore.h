// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/coretext.h"

#include "renamelist/renamejournal.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorbel {

// "$XDG_STATE_HOME/quorbel", or "$HOME/.local/state/quorbel" when that is unset
// or not absolute, as the XDG base directories ask; "" when neither is known.
std::string journalDirectoryFrom(const char* xdgStateHome, const char* home);
// The same, from this process's environment.
std::string defaultJournalDirectory();

namespace historytext {
inline constexpr CoreText busy{"另一个换名或撤销正在进行", "Another rename or undo is in progress"};
} // namespace historytext
// The text of historytext::busy in the process's language.
std::string historyBusyText();

// A journal being written by a run: an open file, appended to in one write
// call per batch.
class JournalFile : public RunJournal {
public:
    JournalFile(int fd, std::string path);
    ~JournalFile() override;
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    const std::string& path() const { return path_; }
    bool beginBatch(const std::vector<Rename>& renames) override;
    bool endBatch(const std::vector<bool>& renamed) override;
    bool finish() override;
    void prepareBatch(const std::vector<Rename>& renames) override;
    bool beginPrepared() override;

protected:
    // The one write of a record or batch; a seam for tests that make it fail.
    virtual bool writeAll(std::string_view text);

private:
    int fd_;
    std::string path_;
    JournalText text_; // reused, so a batch costs no allocation
    // The rename records, apart from text_: they are prepared on the run's
    // helper thread while text_ writes the outcome of the batch before.
    JournalText renames_;
};

// Held while a run or an undo works on the history; released when destroyed,
// or by the system when the process dies.
class HistoryLock {
public:
    explicit HistoryLock(int fd) : fd_(fd) {}
    ~HistoryLock();
    HistoryLock(const HistoryLock&) = delete;
    HistoryLock& operator=(const HistoryLock&) = delete;

private:
    int fd_;
};

// One kept run, as the history lists it.
struct KeptRun {
    std::string path;
    std::uint64_t number = 0;
};

// The history of runs: one journal file per run that renamed anything, in a
// directory given by the caller (tests hand in a temporary one). Only one run
// or undo at a time works on it, by its lock.
class JournalStore {
public:
    static constexpr std::size_t keptRuns = 20;

    explicit JournalStore(std::string directory);

    const std::string& directory() const { return directory_; }

    // nullptr when another run or undo holds the history (busy is set) or the
    // directory cannot be made (error says why).
    std::unique_ptr<HistoryLock> lock(bool& busy, std::string& error) const;
    // Whether a run or undo holds the history right now.
    bool busy() const;

    // Starts the journal of a new run, under the lock; nullptr when it cannot
    // be written, and error then says why. No earlier journal is touched.
    std::unique_ptr<JournalFile> start(const HistoryLock& lock, std::string& error) const;
    // After a run: a journal of a run that renamed nothing goes away, so the
    // history stays as it was; otherwise the oldest runs past keptRuns go.
    void settle(const std::string& journal, bool renamedAny) const;

    // Every kept run, newest first.
    std::vector<KeptRun> runs() const;
    JournalRead read(const std::string& journal) const;
    // The tag of a journal's last whole record ("finished", "undone", ...),
    // read from its end alone; "" when it cannot be told that way.
    std::string lastRecord(const std::string& journal) const;
    // Appends one record line to a kept journal (its undo, or "closed").
    bool append(const std::string& journal, const std::string& line) const;
    // Moves a damaged journal out of the way under a new name, never replacing
    // a file, and returns that name ("" when it could not be moved).
    std::string setAside(const std::string& journal) const;

private:
    bool makeDirectory(std::string& error) const;

    std::string directory_;
};

} // namespace quorbel
