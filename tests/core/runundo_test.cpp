// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posixfilesystem.h"
#include "renamelist/journalstore.h"
#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"
#include "renamelist/runundo.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

using Files = std::map<std::string, std::string>; // name -> content

Files filesIn(const fs::path& directory) {
    Files files;
    for (const auto& entry : fs::directory_iterator(directory)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()] =
            std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

void create(const fs::path& directory, const Files& files) {
    for (const auto& [name, content] : files)
        std::ofstream(directory / name, std::ios::binary) << content;
}

// Rows of (old stem, new stem), all ".t" in one directory.
RenameList listOf(const std::string& directory,
                  const std::vector<std::pair<std::string, std::string>>& rows) {
    RenameList list;
    list.setRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        list.setCell(RenameList::Directory, row, directory);
        list.setCell(RenameList::OldName, row, rows[i].first);
        list.setCell(RenameList::NewName, row, rows[i].second);
        list.setCell(RenameList::Extension, row, ".t");
    }
    return list;
}

// A run, its journal and its undo over one temporary directory.
struct UndoFixture {
    TempDir files;
    TempDir state;
    JournalStore store{state.prefix() + "quorbel"};

    std::unique_ptr<JournalFile> start() {
        bool busy = false;
        std::string error;
        const auto lock = store.lock(busy, error);
        EXPECT_TRUE(lock) << error;
        return lock ? store.start(*lock, error) : nullptr;
    }
    void run(RenameList& list, RenameFileSystem& fileSystem = posixFileSystem()) {
        auto file = start();
        ASSERT_TRUE(file);
        const RenameRunSummary summary = RenameRun(list, fileSystem, file.get()).run();
        store.settle(file->path(), summary.renamed > 0);
    }
    std::string newest() const {
        const auto runs = store.runs();
        return runs.empty() ? std::string() : runs.front().path;
    }
    JournalContents journal() const {
        const JournalRead read = store.read(newest());
        EXPECT_EQ(read.status, JournalReadStatus::Ok) << read.problem;
        return read.contents;
    }
};

TEST(UndoRun, FullRunIsUndoneAndTheRowsFollow) {
    UndoFixture f;
    const Files before{{"a.t", "a"}, {"b.t", "b"}, {"c.t", "c"}};
    create(f.files.path(), before);
    // A chain in working order, then a plain rename.
    RenameList list = listOf(f.files.prefix(), {{"b", "d"}, {"a", "b"}, {"c", "e"}});
    f.run(list);
    ASSERT_EQ(filesIn(f.files.path()), (Files{{"b.t", "a"}, {"d.t", "b"}, {"e.t", "c"}}));

    const UndoSummary summary = undoRenames(f.journal().entries, posixFileSystem(), &list);
    EXPECT_EQ(filesIn(f.files.path()), before);
    EXPECT_EQ(summary.undone, 3);
    EXPECT_EQ(summary.failures, "");
    EXPECT_EQ(summary.left, 0);
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(list.getCell(RenameList::Result, row), "已撤销");
    EXPECT_EQ(list.getCell(RenameList::OldName, 1), "b");
    EXPECT_EQ(list.getCell(RenameList::OldName, 2), "a");
    EXPECT_EQ(list.getCell(RenameList::OldName, 3), "c");
    EXPECT_EQ(undoneStatusText(summary.undone), "撤销 3 个文件");
}

// Failed rows were never renamed: undo must not move the files they met.
TEST(UndoRun, RunWithFailuresLeavesEveryOtherFileAlone) {
    UndoFixture f;
    const Files before{{"a.t", "a"}, {"b.t", "b"}, {"c.t", "c"}, {"x.t", "x"}, {"p.t", "p"}};
    create(f.files.path(), before);
    RenameList list = listOf(f.files.prefix(), {{"a", "b"},    // swap, fails
                                                {"b", "a"},    // swap, fails
                                                {"c", "x"},    // existing target
                                                {"gone", "y"}, // missing file
                                                {"p", "q"},    // renamed
                                                {"x", "q"}});  // duplicate, fails
    f.run(list);
    const UndoSummary summary = undoRenames(f.journal().entries, posixFileSystem(), &list);
    EXPECT_EQ(filesIn(f.files.path()), before);
    EXPECT_EQ(summary.undone, 1);
    EXPECT_EQ(summary.failures, "");
    EXPECT_EQ(list.getCell(RenameList::Result, 3), "失败,文件重复"); // untouched by undo
    EXPECT_EQ(list.getCell(RenameList::Result, 5), "已撤销");
}

TEST(UndoRun, OldNameTakenMeanwhileIsReported) {
    UndoFixture f;
    create(f.files.path(), {{"a.t", "a"}, {"b.t", "b"}});
    RenameList list = listOf(f.files.prefix(), {{"a", "x"}, {"b", "y"}});
    f.run(list);
    create(f.files.path(), {{"a.t", "new a"}});
    const UndoSummary summary = undoRenames(f.journal().entries, posixFileSystem(), &list);

    EXPECT_EQ(filesIn(f.files.path()), (Files{{"a.t", "new a"}, {"x.t", "a"}, {"b.t", "b"}}));
    EXPECT_EQ(summary.undone, 1);
    EXPECT_EQ(summary.failures,
              f.files.prefix() + "x.t-->" + f.files.prefix() + "a.t 原因:失败,文件重复\r\n");
    EXPECT_EQ(summary.left, 1);
    EXPECT_EQ(list.getCell(RenameList::Result, 1), "失败,文件重复");
    EXPECT_EQ(list.getCell(RenameList::OldName, 1), "x");
    EXPECT_EQ(list.getCell(RenameList::Result, 2), "已撤销");

    // Undone a second time, the journal moves nothing more: the file already
    // back is left alone without a word.
    fs::remove(f.files.path() / "a.t");
    EXPECT_EQ(undoRenames(f.journal().entries, posixFileSystem()).undone, 1);
    EXPECT_EQ(filesIn(f.files.path()), (Files{{"a.t", "a"}, {"b.t", "b"}}));
}

TEST(UndoRun, FileGoneMeanwhileIsReported) {
    UndoFixture f;
    create(f.files.path(), {{"a.t", "a"}});
    RenameList list = listOf(f.files.prefix(), {{"a", "x"}});
    f.run(list);
    fs::remove(f.files.path() / "x.t");
    const UndoSummary summary = undoRenames(f.journal().entries, posixFileSystem(), &list);
    EXPECT_EQ(summary.undone, 0);
    EXPECT_EQ(summary.failures,
              f.files.prefix() + "x.t-->" + f.files.prefix() + "a.t 原因:失败,文件不存在\r\n");
    EXPECT_EQ(list.getCell(RenameList::Result, 1), "失败,文件不存在");
}

// The program killed after a given number of renames: nothing more reaches
// the disk or the journal.
class Killed : public PosixFileSystem, public RunJournal {
public:
    Killed(int renamesBeforeKill, RunJournal& journal)
        : left_(renamesBeforeKill), journal_(journal) {}
    FsStatus renameNoReplace(const std::string& from, const std::string& to) override {
        if (left_ == 0)
            return FsStatus::Refused;
        --left_;
        return PosixFileSystem::renameNoReplace(from, to);
    }
    bool beginBatch(const std::vector<Rename>& renames) override {
        return left_ == 0 || journal_.beginBatch(renames);
    }
    bool endBatch(const std::vector<bool>& renamed) override {
        return left_ == 0 || journal_.endBatch(renamed);
    }
    bool finish() override { return left_ == 0 || journal_.finish(); }

private:
    int left_;
    RunJournal& journal_;
};

// Killed after every possible number of renames, with small batches so the
// kill falls before, inside and between batches; and once more inside the
// write of the next batch's lines.
TEST(UndoRun, RunKilledMidwayIsUndoneFromItsCutJournal) {
    constexpr int batchRows = 4;
    constexpr int files = 11;
    for (int kill = 0; kill <= files + 3; ++kill) {
        for (const bool cutWrite : {false, true}) {
            SCOPED_TRACE("killed after " + std::to_string(kill) + " renames");
            UndoFixture f;
            Files before{{"b.t", "b"}, {"a.t", "a"}, {"t5.t", "in the way"}};
            std::vector<std::pair<std::string, std::string>> rows{{"b", "c"}, {"a", "b"}};
            for (int i = 0; i < files; ++i) {
                before["f" + std::to_string(i) + ".t"] = std::to_string(i);
                rows.emplace_back("f" + std::to_string(i), "t" + std::to_string(i));
            }
            create(f.files.path(), before);
            RenameList list = listOf(f.files.prefix(), rows);
            {
                auto journal = f.start();
                ASSERT_TRUE(journal);
                Killed killed(kill, *journal);
                RenameRun(list, killed, &killed, batchRows).run();
            }
            if (cutWrite)
                std::ofstream(f.newest(), std::ios::app) << "rename\t0\t" << f.files.prefix();
            const JournalContents journal = f.journal();
            EXPECT_EQ(journal.finished, kill > files + 2);
            const UndoSummary summary = undoRenames(journal.entries, posixFileSystem());
            // The eighth rename (f5 onto the existing t5) is refused.
            EXPECT_EQ(summary.undone, std::min(kill, files + 2) - (kill >= 8 ? 1 : 0));
            EXPECT_EQ(summary.failures, "");
            EXPECT_EQ(filesIn(f.files.path()), before);
        }
    }
}

// Every byte but "/" and NUL, in names split to fit the longest name allowed.
TEST(UndoRun, NamesHoldingEveryByteComeBack) {
    UndoFixture f;
    std::vector<std::string> stems{""};
    for (int c = 1; c < 256; ++c) {
        if (c == '/')
            continue;
        if (stems.back().size() == 60)
            stems.emplace_back();
        stems.back() += static_cast<char>(c);
    }
    Files before;
    std::vector<std::pair<std::string, std::string>> rows;
    for (const std::string& stem : stems) {
        before[stem + ".t"] = stem;
        rows.emplace_back(stem, std::string(stem.rbegin(), stem.rend()) + "\n\\x");
    }
    create(f.files.path(), before);
    RenameList list = listOf(f.files.prefix(), rows);
    f.run(list);
    ASSERT_NE(filesIn(f.files.path()), before);
    const UndoSummary summary = undoRenames(f.journal().entries, posixFileSystem(), &list);
    EXPECT_EQ(summary.undone, static_cast<int>(stems.size()));
    EXPECT_EQ(filesIn(f.files.path()), before);
    for (std::size_t i = 0; i < stems.size(); ++i)
        EXPECT_EQ(list.getCell(RenameList::OldName, static_cast<int>(i) + 1), stems[i]);
}

// A journal damaged past its first lines is not applied in part: the renames
// it still reads well are left alone too, and it goes aside for a person.
TEST(UndoLastRun, DamagedJournalIsNeverHalfApplied) {
    UndoFixture f;
    create(f.files.path(), {{"a.t", "a"}, {"b.t", "b"}});
    RenameList list = listOf(f.files.prefix(), {{"a", "x"}, {"b", "y"}});
    f.run(list);
    const std::string journal = f.newest();
    std::string text = f.state.read(fs::relative(journal, f.state.path()));
    text[text.find("\ta.t") + 1] = 'b'; // a flipped old name would take y.t's place
    std::ofstream(journal, std::ios::binary | std::ios::trunc) << text;

    const LastRunUndoResult result = undoLastRun(f.store, posixFileSystem(), &list);
    EXPECT_EQ(result.status, LastRunUndo::Unusable);
    EXPECT_EQ(result.read.status, JournalReadStatus::Damaged);
    EXPECT_EQ(result.read.problem, "第 3 行校验不符");
    EXPECT_EQ(result.setAsidePath, journal + ".damaged-1");
    EXPECT_EQ(filesIn(f.files.path()), (Files{{"x.t", "a"}, {"y.t", "b"}}));
    EXPECT_EQ(list.getCell(RenameList::Result, 1), "成功");
    EXPECT_EQ(undoLastRun(f.store, posixFileSystem()).status, LastRunUndo::Nothing);
}

TEST(UndoLastRun, UndoneRunLeavesNothingToUndo) {
    UndoFixture f;
    create(f.files.path(), {{"a.t", "a"}});
    RenameList list = listOf(f.files.prefix(), {{"a", "x"}});
    f.run(list);
    const LastRunUndoResult result = undoLastRun(f.store, posixFileSystem(), &list);
    EXPECT_EQ(result.status, LastRunUndo::Undone);
    EXPECT_EQ(result.summary.undone, 1);
    EXPECT_TRUE(result.journalUpdated);
    EXPECT_EQ(undoLastRun(f.store, posixFileSystem()).status, LastRunUndo::Nothing);
    EXPECT_EQ(filesIn(f.files.path()), (Files{{"a.t", "a"}}));
}

} // namespace
} // namespace quorbel
