// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace quorbel {

// The journal of one rename run, as plain text, one record a line, each line
// ending in a tab and the CRC-32 of what stands before it (8 hex digits):
//
//   quorbel-journal 2<TAB>seconds since 1970          the header
//   dir<TAB>id<TAB>absolute directory                 each directory once
//   rename<TAB>id<TAB>old<TAB>new<TAB>device<TAB>inode   written before the rename
//                                        is tried; the file's identity was taken
//                                        just before (0 0: it could not be taken)
//   done<TAB>+-+                         after its batch: "+" renamed, "-" not
//   finished                             the run came to its end
//   closed                               asked about at start and kept as it is
//   undone<TAB>n                         this run was undone, n renames back
//
// Names and directories are escaped so every byte survives and no name can
// break a line. Old and new name share their directory.

enum class JournalOutcome { Renamed, NotRenamed, Unknown };

struct JournalEntry {
    std::string oldPath;
    std::string newPath;
    JournalOutcome outcome = JournalOutcome::Unknown;
    // The file the run was about to rename; both 0 when unknown.
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool identified() const { return device != 0 || inode != 0; }
    bool operator==(const JournalEntry&) const = default;
};

struct JournalContents {
    std::vector<JournalEntry> entries; // in the order they were tried
    std::int64_t startedAt = 0;        // seconds since 1970
    std::vector<std::string> directories;
    bool finished = false;
    bool closed = false;
    bool undone = false;
    int undoneCount = 0;
};

// Busy: a run or an undo holds the history right now.
enum class JournalReadStatus { Missing, Ok, Damaged, Unreadable, Busy };

struct JournalRead {
    JournalReadStatus status = JournalReadStatus::Missing;
    JournalContents contents;
    std::string problem; // what was wrong, for the message; empty when Ok
};

// Backslash, tab, line breaks and other control bytes, and every byte that is
// not part of valid UTF-8, become "\xHH"; the rest stays readable.
std::string escapeJournalPath(std::string_view path);
// nullopt when the text is not something escapeJournalPath wrote.
std::optional<std::string> unescapeJournalPath(std::string_view text);

// One record line: the fields joined by tabs, its CRC and the line break.
void appendJournalRecord(std::string& text, std::initializer_list<std::string_view> fields);
std::string journalHeaderLine(std::int64_t startedAt);

// Reads a whole journal. A last line without its line break was being written
// when the program stopped; nothing it announced had been tried, so it is
// dropped. A record that fails its check or stands out of order makes the
// journal Damaged, with its line number in problem.
JournalRead parseJournal(std::string_view text);
// The first field of one record line (without its line break), or nullopt
// when the line fails its check.
std::optional<std::string> journalRecordTag(std::string_view line);
// The text of a journal holding these entries and marks, as a run writes it.
std::string formatJournal(const JournalContents& contents);

// One rename about to be tried, as the run hands it to its journal.
struct JournalRename {
    std::string_view directory; // absolute, ending in "/"
    std::string_view oldName;
    std::string_view newName;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
};

// Builds journal text record by record, writing each directory the first time
// a rename in it comes, so a million renames in one folder name it once.
class JournalText {
public:
    void header(std::int64_t startedAt);
    // A dir record for each directory not seen yet, then one rename record each.
    void renames(const std::vector<JournalRename>& renames);
    void outcome(std::string_view signs); // "+", "-" or "?" per rename of the batch
    void mark(std::string_view word);     // "finished" or "closed"
    void undone(int count);

    std::string& text() { return text_; }

private:
    std::string text_;
    std::unordered_map<std::string, std::size_t> directories_;
    std::string lastDirectory_;
    std::size_t lastId_ = 0;
};

// Where the run records what it is about to do. Every call returns false when
// the record could not be written; the run then stops before its next rename.
class RunJournal {
public:
    using Rename = JournalRename;

    virtual ~RunJournal() = default;
    virtual bool beginBatch(const std::vector<Rename>& renames) = 0;
    virtual bool endBatch(const std::vector<bool>& renamed) = 0;
    virtual bool finish() = 0;

    // The same as beginBatch in two steps: prepareBatch may run on another
    // thread while the batch before is still being renamed (it writes
    // nothing), and beginPrepared then writes what it prepared. The renames'
    // texts must outlive beginPrepared. By default the batch is kept and
    // handed to beginBatch.
    virtual void prepareBatch(const std::vector<Rename>& renames) { prepared_ = renames; }
    virtual bool beginPrepared() { return beginBatch(prepared_); }

private:
    std::vector<Rename> prepared_;
};

} // namespace quorbel
