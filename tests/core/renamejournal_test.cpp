#include "renamelist/journalstore.h"
#include "renamelist/renamejournal.h"
#include "tempdir.h"

#include <gtest/gtest.h>

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

std::string journalOf(const std::vector<std::vector<JournalEntry>>& batches, bool finished) {
    std::string text(journalHeader());
    for (const auto& batch : batches) {
        std::vector<bool> renamed;
        for (const JournalEntry& entry : batch) {
            appendJournalRename(text, entry.oldPath, entry.newPath);
            renamed.push_back(entry.outcome == JournalOutcome::Renamed);
        }
        appendJournalOutcome(text, renamed);
    }
    if (finished)
        text += journalFinishedLine();
    return text;
}

const std::vector<std::vector<JournalEntry>> twoBatches{
    {{"/d/a\n.jpg", "/d/b.jpg", JournalOutcome::Renamed},
     {"/d/c.jpg", "/d/\t.jpg", JournalOutcome::NotRenamed}},
    {{everyByte(), "/d/e", JournalOutcome::Renamed}}};

TEST(JournalRead, FinishedJournalReadsBackExactly) {
    const JournalRead read = parseJournal(journalOf(twoBatches, true));
    ASSERT_EQ(read.status, JournalReadStatus::Ok);
    EXPECT_TRUE(read.contents.finished);
    EXPECT_EQ(read.contents.entries,
              (std::vector<JournalEntry>{twoBatches[0][0], twoBatches[0][1], twoBatches[1][0]}));
    EXPECT_EQ(parseJournal(formatJournal(read.contents.entries)).contents.entries,
              read.contents.entries);
}

// A journal cut anywhere reads as an unfinished one, never as a damaged one:
// whole lines keep their meaning, a cut line is dropped, and renames of a
// batch without its outcome line are not known to have happened.
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
            EXPECT_TRUE(entries[i].outcome == all[i].outcome ||
                        entries[i].outcome == JournalOutcome::Unknown);
        }
    }
}

TEST(JournalRead, DamageIsReportedWithItsLine) {
    const std::string head(journalHeader());
    struct Case {
        std::string text;
        std::string problem;
    };
    for (const Case& c : std::vector<Case>{
             {"not a journal\n", "第 1 行无法识别"},
             {head + "rename\t/a\n", "第 2 行无法识别"},
             {head + "rename\t/a\t/b\\q\n", "第 2 行无法识别"},
             {head + "rename\t/a\t/b\ndone\t++\n", "第 3 行无法识别"},
             {head + "rename\t/a\t/b\ndone\tx\n", "第 3 行无法识别"},
             {head + "rename\t/a\t/b\nfinished\n", "第 3 行无法识别"},
             {head + "finished\nrename\t/a\t/b\n", "第 3 行无法识别"},
             {head + "\n", "第 2 行无法识别"},
         }) {
        const JournalRead read = parseJournal(c.text);
        EXPECT_EQ(read.status, JournalReadStatus::Damaged) << c.text;
        EXPECT_EQ(read.problem, c.problem) << c.text;
    }
}

TEST(JournalLocation, FollowsTheXdgStateDirectory) {
    EXPECT_EQ(journalDirectoryFrom("/s", "/h"), "/s/quorbel");
    EXPECT_EQ(journalDirectoryFrom(nullptr, "/h"), "/h/.local/state/quorbel");
    EXPECT_EQ(journalDirectoryFrom("", "/h"), "/h/.local/state/quorbel");
    EXPECT_EQ(journalDirectoryFrom("relative", "/h"), "/h/.local/state/quorbel");
    EXPECT_EQ(journalDirectoryFrom(nullptr, nullptr), "");
}

TEST(JournalStoreFile, RunJournalIsWrittenReplacedAndRewritten) {
    TempDir dir;
    const JournalStore store(dir.prefix() + "state/quorbel");
    EXPECT_EQ(store.read().status, JournalReadStatus::Missing);
    std::string error;
    {
        auto journal = store.start(error);
        ASSERT_TRUE(journal) << error;
        EXPECT_EQ(store.read().status, JournalReadStatus::Busy);
        EXPECT_FALSE(store.start(error)); // a second run must not empty it
        ASSERT_TRUE(journal->beginBatch({{"/d/a", "/d/b"}, {"/d/c", "/d/d"}}));
        ASSERT_TRUE(journal->endBatch({true, false}));
        ASSERT_TRUE(journal->beginBatch({{"/d/e", "/d/f"}}));
    }
    JournalRead read = store.read();
    ASSERT_EQ(read.status, JournalReadStatus::Ok);
    EXPECT_FALSE(read.contents.finished);
    EXPECT_EQ(read.contents.entries,
              (std::vector<JournalEntry>{{"/d/a", "/d/b", JournalOutcome::Renamed},
                                         {"/d/c", "/d/d", JournalOutcome::NotRenamed},
                                         {"/d/e", "/d/f", JournalOutcome::Unknown}}));
    EXPECT_EQ(fs::status(store.path()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    ASSERT_TRUE(store.replace(read.contents.entries));
    const JournalRead closed = store.read();
    EXPECT_TRUE(closed.contents.finished);
    EXPECT_EQ(closed.contents.entries, read.contents.entries);

    {
        auto next = store.start(error);
        ASSERT_TRUE(next);
        ASSERT_TRUE(next->finish());
    }
    read = store.read();
    EXPECT_TRUE(read.contents.finished);
    EXPECT_TRUE(read.contents.entries.empty());
    ASSERT_TRUE(store.replace({}));
    EXPECT_EQ(store.read().status, JournalReadStatus::Missing);
}

TEST(JournalStoreFile, DamagedJournalIsSetAsideWithoutReplacingAnything) {
    TempDir dir;
    const JournalStore store(dir.prefix() + "quorbel");
    fs::create_directories(store.directory());
    dir.write("quorbel/last-run.journal", "garbage\n");
    dir.write("quorbel/last-run.journal.damaged-1", "older");
    EXPECT_EQ(store.read().status, JournalReadStatus::Damaged);
    EXPECT_EQ(store.setAside(), store.path() + ".damaged-2");
    EXPECT_EQ(dir.read("quorbel/last-run.journal.damaged-1"), "older");
    EXPECT_EQ(dir.read("quorbel/last-run.journal.damaged-2"), "garbage\n");
    EXPECT_EQ(store.read().status, JournalReadStatus::Missing);
}

TEST(JournalStoreFile, UnwritableLocationIsReported) {
    TempDir dir;
    dir.write("file", "x");
    std::string error;
    EXPECT_FALSE(JournalStore(dir.prefix() + "file/quorbel").start(error));
    EXPECT_NE(error.find("file/quorbel"), std::string::npos) << error;
}

} // namespace
} // namespace quorbel
