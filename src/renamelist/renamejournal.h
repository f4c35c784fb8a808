#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorbel {

// The journal of the last rename run, as plain text, one rename a line:
//
//   quorbel-journal 1
//   rename<TAB>old path<TAB>new path     written before the rename is tried
//   done<TAB>+-+                         after its batch: "+" renamed, "-" not,
//                                        "?" not known (a journal closed later)
//   finished                             the run came to its end
//
// Paths are escaped so every byte survives and no path can break a line.

enum class JournalOutcome { Renamed, NotRenamed, Unknown };

struct JournalEntry {
    std::string oldPath;
    std::string newPath;
    JournalOutcome outcome = JournalOutcome::Unknown;
    bool operator==(const JournalEntry&) const = default;
};

struct JournalContents {
    std::vector<JournalEntry> entries; // in the order they were tried
    bool finished = false;
};

// Busy: a run is writing the journal right now (another window of the program).
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

std::string_view journalHeader(); // with its line break
void appendJournalRename(std::string& text, std::string_view oldPath, std::string_view newPath);
void appendJournalOutcome(std::string& text, const std::vector<bool>& renamed);
std::string_view journalFinishedLine(); // with its line break

// Reads a whole journal. A last line without its line break was being written
// when the program stopped; none of its batch had been tried, so it is dropped.
// Anything else out of order makes the journal Damaged.
JournalRead parseJournal(std::string_view text);
// The text of a finished journal holding entries, each with its outcome.
std::string formatJournal(const std::vector<JournalEntry>& entries);

// Where the run records what it is about to do. Every call returns false when
// the record could not be written; the run then stops before its next rename.
class RunJournal {
public:
    using Rename = std::pair<std::string_view, std::string_view>; // old, new

    virtual ~RunJournal() = default;
    virtual bool beginBatch(const std::vector<Rename>& renames) = 0;
    virtual bool endBatch(const std::vector<bool>& renamed) = 0;
    virtual bool finish() = 0;
};

} // namespace quorbel
