// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/journalstore.h"
#include "renamelist/renamejournal.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::string everyByte() {
    std::string bytes;
    for (int c = 0; c < 256; ++c)
        bytes += static_cast<char>(c);
    return bytes;
}

TEST(JournalPath, EveryByteSurvivesAndNothingBreaksALine) {
    std::mt19937 random(14);
    std::vector<std::string> paths{
        everyByte(),        "",        "/d/普通 名字.ab1", "\\x41", "\xE4\xB8", "\xED\xA0\x80",
        "\xF4\x90\x80\x80", "\xC0\xAF"};
    for (int i = 0; i < 500; ++i) {
        std::string path(random() % 40, '\0');
        for (char& c : path)
            c = static_cast<char>(random());
        paths.push_back(path);
    }
    for (const std::string& path : paths) {
        const std::string escaped = escapeJournalPath(path);
        EXPECT_EQ(escaped.find_first_of(std::string("\t\n\r\0", 4)), std::string::npos);
        EXPECT_EQ(unescapeJournalPath(escaped), path);
    }
    EXPECT_EQ(escapeJournalPath("/d/普通 名字.ab1"), "/d/普通 名字.ab1");
    EXPECT_EQ(escapeJournalPath("a\tb\\\xFF"), "a\\x09b\\x5c\\xff");
}

TEST(JournalPath, TextThatWasNotEscapedIsRefused) {
    for (const std::string& text :
         {std::string("\\"), std::string("\\x4"), std::string("\\xg0"), std::string("\\n"),
          std::string("\\x4A"), std::string("a\tb"), std::string("\xFF"), std::string(1, '\0')})
        EXPECT_EQ(unescapeJournalPath(text), std::nullopt) << text;
}

// A journal as a run writes it: each batch's renames, then its outcomes.
std::string journalOf(const std::vector<std::vector<JournalEntry>>& batches, bool finished) {
    JournalText text;
    text.header(1700000000);
    for (const auto& batch : batches) {
        std::vector<JournalRename> renames;
        std::string signs;
        for (const JournalEntry& entry : batch) {
            const std::size_t slash = entry.oldPath.rfind('/') + 1;
            renames.push_back({std::string_view(entry.oldPath).substr(0, slash),
                               std::string_view(entry.oldPath).substr(slash),
                               std::string_view(entry.newPath).substr(slash), entry.device,
                               entry.inode});
            signs += entry.outcome == JournalOutcome::Renamed ? '+' : '-';
        }
        text.renames(renames);
        text.outcome(signs);
    }
    if (finished)
        text.mark("finished");
    return text.text();
}

const std::vector<std::vector<JournalEntry>> twoBatches{
    {{"/d/a\n.jpg", "/d/b.jpg", JournalOutcome::Renamed, 2049, 12},
     {"/e\t/c.jpg", "/e\t/\t.jpg", JournalOutcome::NotRenamed, 0, 0}},
    {{"/d/" + everyByte().substr(1, 46) + everyByte().substr(48), "/d/e", JournalOutcome::Renamed,
      1, 18446744073709551615ull}}};

TEST(JournalRead, FinishedJournalReadsBackExactly) {
    const std::string text = journalOf(twoBatches, true);
    const JournalRead read = parseJournal(text);
    ASSERT_EQ(read.status, JournalReadStatus::Ok) << read.problem;
    EXPECT_TRUE(read.contents.finished);
    EXPECT_EQ(read.contents.startedAt, 1700000000);
    EXPECT_EQ(read.contents.entries,
              (std::vector<JournalEntry>{twoBatches[0][0], twoBatches[0][1], twoBatches[1][0]}));
    // Each directory is written once, however many renames it holds.
    EXPECT_EQ(read.contents.directories, (std::vector<std::string>{"/d/", "/e\t/"}));
    EXPECT_EQ(parseJournal(formatJournal(read.contents)).contents.entries, read.contents.entries);
}

TEST(JournalRead, CutAnywhereIsAnUnfinishedPrefix) {
    const std::string whole = journalOf(twoBatches, true);
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        const JournalRead read = parseJournal(whole.substr(0, cut));
        ASSERT_EQ(read.status, JournalReadStatus::Ok) << "cut at " << cut;
        EXPECT_FALSE(read.contents.finished);
        const auto& entries = read.contents.entries;
        const std::vector<JournalEntry> all{twoBatches[0][0], twoBatches[0][1], twoBatches[1][0]};
        ASSERT_LE(entries.size(), all.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].oldPath, all[i].oldPath);
            EXPECT_EQ(entries[i].inode, all[i].inode);
            EXPECT_TRUE(entries[i].outcome == all[i].outcome ||
                        entries[i].outcome == JournalOutcome::Unknown);
        }
    }
}

// Any one byte changed anywhere but in a line break makes the journal refused
// as a whole, naming the line: no flipped path or outcome is ever applied.
TEST(JournalRead, EveryFlippedByteIsCaughtWithItsLine) {
    const std::string whole = journalOf(twoBatches, true);
    for (std::size_t at = 0; at < whole.size(); ++at) {
        if (whole[at] == '\n')
            continue;
        for (const char flip : {'\x01', '\x20', '\x80'}) {
            std::string text = whole;
            text[at] = static_cast<char>(text[at] ^ flip);
            const JournalRead read = parseJournal(text);
            const auto line = 1 + std::count(whole.begin(), whole.begin() + at, '\n');
            ASSERT_EQ(read.status, JournalReadStatus::Damaged) << "byte " << at;
            EXPECT_TRUE(read.problem.starts_with("第 " + std::to_string(line) + " 行"))
                << read.problem;
        }
    }
}

std::string record(std::initializer_list<std::string_view> fields) {
    std::string text;
    appendJournalRecord(text, fields);
    return text;
}

TEST(JournalRead, RecordsOutOfOrderAreReportedWithTheirLine) {
    const std::string head = journalHeaderLine(5);
    const std::string dir = record({"dir", "0", "/d/"});
    const std::string rename = record({"rename", "0", "a", "b", "1", "2"});
    struct Case {
        std::string name;
        std::string text;
        std::string problem;
    };
    for (const Case& c : std::vector<Case>{
             {"no header", "not a journal\n", "第 1 行校验不符"},
             {"header of another version", record({"quorbel-journal 1", "5"}), "第 1 行无法识别"},
             {"rename before its directory", head + rename, "第 2 行无法识别"},
             {"directory numbered out of turn", head + record({"dir", "1", "/d/"}),
              "第 2 行无法识别"},
             {"relative directory", head + record({"dir", "0", "d/"}), "第 2 行无法识别"},
             {"unescaped name", head + dir + record({"rename", "0", "a\\q", "b", "1", "2"}),
              "第 3 行无法识别"},
             {"name reaching another folder",
              head + dir + record({"rename", "0", "a", "../../etc/b", "1", "2"}),
              "第 3 行无法识别"},
             {"empty name", head + dir + record({"rename", "0", "", "b", "1", "2"}),
              "第 3 行无法识别"},
             {"identity not a number", head + dir + record({"rename", "0", "a", "b", "x", "2"}),
              "第 3 行无法识别"},
             {"more outcomes than renames", head + dir + rename + record({"done", "++"}),
              "第 4 行无法识别"},
             {"unknown sign", head + dir + rename + record({"done", "x"}), "第 4 行无法识别"},
             {"finished with outcomes missing", head + dir + rename + record({"finished"}),
              "第 4 行无法识别"},
             {"rename after finished", head + record({"finished"}) + dir, "第 3 行无法识别"},
             {"anything after undone", head + record({"undone", "0"}) + record({"closed"}),
              "第 3 行无法识别"},
             {"empty line", head + "\n", "第 2 行校验不符"},
         }) {
        const JournalRead read = parseJournal(c.text);
        EXPECT_EQ(read.status, JournalReadStatus::Damaged) << c.name;
        EXPECT_EQ(read.problem, c.problem) << c.name;
    }
}

TEST(JournalLocation, FollowsTheXdgStateDirectory) {
    EXPECT_EQ(journalDirectoryFrom("/s", "/h"), "/s/quorbel");
    EXPECT_EQ(journalDirectoryFrom(nullptr, "/h"), "/h/.local/state/quorbel");
    EXPECT_EQ(journalDirectoryFrom("", "/h"), "/h/.local/state/quorbel");
    EXPECT_EQ(journalDirectoryFrom("relative", "/h"), "/h/.local/state/quorbel");
    EXPECT_EQ(journalDirectoryFrom(nullptr, nullptr), "");
}

std::unique_ptr<JournalFile> startRun(const JournalStore& store) {
    bool busy = false;
    std::string error;
    const auto lock = store.lock(busy, error);
    EXPECT_TRUE(lock) << error;
    return lock ? store.start(*lock, error) : nullptr;
}

TEST(JournalHistory, EachRunGetsItsOwnJournalAndNoneIsReplaced) {
    TempDir dir;
    const JournalStore store(dir.prefix() + "state/quorbel");
    EXPECT_TRUE(store.runs().empty());
    std::string first;
    {
        auto journal = startRun(store);
        ASSERT_TRUE(journal);
        first = journal->path();
        ASSERT_TRUE(journal->beginBatch({{"/d/", "a", "b", 1, 2}, {"/d/", "c", "d", 1, 3}}));
        ASSERT_TRUE(journal->endBatch({true, false}));
        ASSERT_TRUE(journal->beginBatch({{"/d/", "e", "f", 1, 4}}));
    }
    EXPECT_EQ(fs::status(first).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    {
        auto second = startRun(store);
        ASSERT_TRUE(second);
        ASSERT_TRUE(second->finish());
        store.settle(second->path(), true);
    }
    const std::vector<KeptRun> runs = store.runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].path, first); // the cut-short run is still there
    const JournalRead read = store.read(first);
    ASSERT_EQ(read.status, JournalReadStatus::Ok);
    EXPECT_FALSE(read.contents.finished);
    EXPECT_EQ(read.contents.entries,
              (std::vector<JournalEntry>{{"/d/a", "/d/b", JournalOutcome::Renamed, 1, 2},
                                         {"/d/c", "/d/d", JournalOutcome::NotRenamed, 1, 3},
                                         {"/d/e", "/d/f", JournalOutcome::Unknown, 1, 4}}));
}

TEST(JournalHistory, RunThatRenamedNothingLeavesTheHistoryAsItWas) {
    TempDir dir;
    const JournalStore store(dir.prefix() + "quorbel");
    auto journal = startRun(store);
    ASSERT_TRUE(journal);
    store.settle(journal->path(), false);
    EXPECT_TRUE(store.runs().empty());
}

// The newest runs stay; so does an older run cut short and never undone.
TEST(JournalHistory, KeepsTheLastRunsAndEveryUnfinishedOne) {
    TempDir dir;
    const JournalStore store(dir.prefix() + "quorbel");
    const std::size_t total = JournalStore::keptRuns + 5;
    for (std::size_t run = 0; run < total; ++run) {
        auto journal = startRun(store);
        ASSERT_TRUE(journal);
        if (run != 1)
            journal->finish();
        store.settle(journal->path(), true);
    }
    const std::vector<KeptRun> runs = store.runs();
    ASSERT_EQ(runs.size(), JournalStore::keptRuns + 1);
    EXPECT_EQ(runs.front().number, total);
    EXPECT_EQ(runs.back().number, 2u);
}

TEST(JournalHistory, OneRunOrUndoAtATime) {
    TempDir dir;
    const JournalStore store(dir.prefix() + "quorbel");
    bool busy = false;
    std::string error;
    auto held = store.lock(busy, error);
    ASSERT_TRUE(held);
    EXPECT_TRUE(store.busy());
    EXPECT_FALSE(store.lock(busy, error));
    EXPECT_TRUE(busy);
    EXPECT_EQ(error, "另一个换名或撤销正在进行");
    held.reset();
    EXPECT_FALSE(store.busy());
    EXPECT_TRUE(store.lock(busy, error));
}

TEST(JournalHistory, DamagedJournalIsSetAsideWithoutReplacingAnything) {
    TempDir dir;
    const JournalStore store(dir.prefix() + "quorbel");
    fs::create_directories(store.directory());
    dir.write("quorbel/run-000007.journal", "garbage\n");
    dir.write("quorbel/run-000007.journal.damaged-1", "older");
    const std::string path = store.directory() + "/run-000007.journal";
    EXPECT_EQ(store.read(path).status, JournalReadStatus::Damaged);
    EXPECT_EQ(store.setAside(path), path + ".damaged-2");
    EXPECT_EQ(dir.read("quorbel/run-000007.journal.damaged-1"), "older");
    EXPECT_EQ(dir.read("quorbel/run-000007.journal.damaged-2"), "garbage\n");
    EXPECT_TRUE(store.runs().empty());
}

TEST(JournalHistory, UnwritableLocationIsReported) {
    TempDir dir;
    dir.write("file", "x");
    bool busy = false;
    std::string error;
    EXPECT_FALSE(JournalStore(dir.prefix() + "file/quorbel").lock(busy, error));
    EXPECT_FALSE(busy);
    EXPECT_NE(error.find("file/quorbel"), std::string::npos) << error;
}

} // namespace
} // namespace quorbel
