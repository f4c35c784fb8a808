#pragma once

#include "renamelist/renamejournal.h"

#include <memory>
#include <string>

namespace quorbel {

// "$XDG_STATE_HOME/quorbel", or "$HOME/.local/state/quorbel" when that is unset
// or not absolute, as the XDG base directories ask; "" when neither is known.
std::string journalDirectoryFrom(const char* xdgStateHome, const char* home);
// The same, from this process's environment.
std::string defaultJournalDirectory();

// A journal being written by a run: an open file, appended to in one write
// call per batch.
class JournalFile : public RunJournal {
public:
    explicit JournalFile(int fd);
    ~JournalFile() override;
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    bool beginBatch(const std::vector<Rename>& renames) override;
    bool endBatch(const std::vector<bool>& renamed) override;
    bool finish() override;

private:
    bool writeAll(std::string_view text);

    int fd_;
    std::string buffer_; // reused, so a batch costs no allocation
};

// The one journal file of the last run, in a directory given by the caller
// (tests hand in a temporary one).
class JournalStore {
public:
    explicit JournalStore(std::string directory);

    const std::string& directory() const { return directory_; }
    std::string path() const;

    // Starts the journal of a new run, replacing the last one, and holds it
    // locked until the run ends. nullptr when it cannot be written (or another
    // run holds it); error then says why.
    std::unique_ptr<JournalFile> start(std::string& error) const;
    JournalRead read() const;
    // Rewrites the journal as a finished one holding these renames, outcomes
    // kept (an unfinished one is closed this way); with none it goes away.
    bool replace(const std::vector<JournalEntry>& entries) const;
    // Moves a damaged journal out of the way under a new name, never replacing
    // a file, and returns that name ("" when it could not be moved).
    std::string setAside() const;

private:
    bool makeDirectory(std::string& error) const;

    std::string directory_;
};

} // namespace quorbel
