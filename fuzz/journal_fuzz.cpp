// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/renamejournal.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool sameRuns(const quorbel::JournalContents& a, const quorbel::JournalContents& b) {
    return a.entries == b.entries && a.startedAt == b.startedAt && a.finished == b.finished &&
           a.closed == b.closed && a.undone == b.undone && a.undoneCount == b.undoneCount;
}

// Records whose check the fuzzer could hardly ever hit: each line is signed as
// a run signs it, so the mutations reach the record layout itself.
std::string signedLines(std::string_view lines) {
    std::string text;
    while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        const std::string_view line = lines.substr(0, end);
        quorbel::appendJournalRecord(text, {line});
        lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 1);
    }
    return text;
}

} // namespace

// The journal is read back after a crash, from a file anything may have
// happened to. Any text either reads as a journal or is refused with a reason,
// never a crash; what reads as a journal says the same when written again, and
// every path survives escaping.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> path =
        quorbel::unescapeJournalPath(quorbel::escapeJournalPath(input));
    if (!path || *path != input)
        std::abort();
    // A first byte "!" asks for the rest signed line by line.
    const std::string signedText = input.starts_with('!') ? signedLines(input.substr(1)) : "";
    const std::string_view text = input.starts_with('!') ? std::string_view(signedText) : input;
    const quorbel::JournalRead read = quorbel::parseJournal(text);
    if (read.status != quorbel::JournalReadStatus::Ok) {
        if (read.problem.empty())
            std::abort();
        return 0;
    }
    const quorbel::JournalRead again = quorbel::parseJournal(quorbel::formatJournal(read.contents));
    if (again.status != quorbel::JournalReadStatus::Ok || !sameRuns(read.contents, again.contents))
        std::abort();
    return 0;
}
