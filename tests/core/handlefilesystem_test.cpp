// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/directoryhandles.h"
#include "platform/handlefilesystem.h"
#include "renamelist/journalstore.h"
#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"
#include "renamelist/runcheck.h"
#include "renamelist/runundo.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

using Files = std::map<std::string, std::string>; // path below the root -> content

Files filesBelow(const fs::path& root) {
    Files files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[fs::relative(entry.path(), root).string()] =
            std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

void create(const fs::path& root, const Files& files) {
    for (const auto& [name, content] : files) {
        fs::create_directories((root / name).parent_path());
        std::ofstream(root / name, std::ios::binary) << content;
    }
}

struct Row {
    std::string directory; // below the root, with its "/", or "" for the root
    std::string oldName;
    std::string newName;
};

RenameList listOf(const std::string& root, const std::vector<Row>& rows) {
    RenameList list;
    list.setRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        list.setCell(RenameList::Directory, row, root + rows[i].directory);
        list.setCell(RenameList::OldName, row, rows[i].oldName);
        list.setCell(RenameList::NewName, row, rows[i].newName);
        list.setCell(RenameList::Extension, row, ".t");
    }
    return list;
}

std::vector<std::string> wordsOf(const RenameList& list) {
    std::vector<std::string> words;
    for (int row = 1; row < list.RowCount(); ++row)
        words.push_back(list.getCell(RenameList::Result, row));
    return words;
}

struct Outcome {
    std::vector<std::string> words;
    std::vector<std::string_view> predicted;
    std::string failures;
    Files after;
};

Outcome runWith(RenameFileSystem& fileSystem, const Files& before, const std::vector<Row>& rows) {
    TempDir root;
    create(root.path(), before);
    RenameList list = listOf(root.prefix(), rows);
    Outcome outcome;
    outcome.predicted = predictRun(list, fileSystem).words;
    outcome.predicted.erase(outcome.predicted.begin());
    const RenameRunSummary summary = RenameRun(list, fileSystem).run();
    outcome.words = wordsOf(list);
    outcome.failures = summary.failures;
    // The failure lines name the temporary root; keep what follows it.
    for (std::string::size_type at;
         (at = outcome.failures.find(root.prefix())) != std::string::npos;)
        outcome.failures.erase(at, root.prefix().size());
    outcome.after = filesBelow(root.path());
    return outcome;
}

// Renaming relative to directory handles must give every row the word, and
// leave the disk as, the same renames by whole paths.
TEST(HandleRename, EveryRowEndsAsWithWholePaths) {
    const std::string tooLong(300, 'x');
    struct Case {
        const char* name;
        Files before;
        std::vector<Row> rows;
    };
    const std::vector<Case> cases{
        {"plain renames", {{"a.t", "a"}, {"b.t", "b"}}, {{"", "a", "c"}, {"", "b", "d"}}},
        {"chain in working order", {{"a.t", "a"}, {"b.t", "b"}}, {{"", "b", "c"}, {"", "a", "b"}}},
        {"target exists", {{"a.t", "a"}, {"b.t", "b"}}, {{"", "a", "b"}}},
        {"source missing", {{"a.t", "a"}}, {{"", "x", "y"}, {"", "a", "z"}}},
        {"missing folder", {{"a.t", "a"}}, {{"gone/", "a", "b"}, {"", "a", "b"}}},
        {"name too long", {{"a.t", "a"}}, {{"", "a", tooLong}}},
        {"folders interleaved",
         {{"p/a.t", "pa"}, {"q/a.t", "qa"}, {"p/b.t", "pb"}, {"q/b.t", "qb"}},
         {{"p/", "a", "c"}, {"q/", "a", "c"}, {"p/", "b", "a"}, {"q/", "b", "a"}}},
        // A folder listed as a row: once the run renamed it, rows inside it
        // meet the path as it now is, as a run by whole paths would.
        {"folder renamed by an earlier row",
         {{"d.t/x.t", "x"}, {"d.t/y.t", "y"}},
         {{"d.t/", "x", "x1"}, {"", "d", "e"}, {"d.t/", "y", "y1"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PosixFileSystem byPath;
        HandleFileSystem byHandle;
        const Outcome expected = runWith(byPath, c.before, c.rows);
        const Outcome got = runWith(byHandle, c.before, c.rows);
        EXPECT_EQ(got.words, expected.words);
        EXPECT_EQ(got.predicted, expected.predicted);
        EXPECT_EQ(got.failures, expected.failures);
        EXPECT_EQ(got.after, expected.after);
    }
}

// The handle file system with a hook before each rename call and a switch
// that makes every call from the k-th on fail, as a dying disk would.
class HookedHandles : public HandleFileSystem {
public:
    std::function<void(int call)> beforeCall;
    int failFrom = -1;

protected:
    int renameExclusiveAt(int fromDirectory, const char* from, int toDirectory,
                          const char* to) override {
        const int call = calls_++;
        if (beforeCall)
            beforeCall(call);
        if (failFrom >= 0 && call >= failFrom)
            return EIO;
        return HandleFileSystem::renameExclusiveAt(fromDirectory, from, toDirectory, to);
    }

private:
    int calls_ = 0;
};

// A folder moved away mid-run takes its handle along: the rest of its rows
// are renamed inside it, where the files now are, and a folder put in its
// place under the old name (with files of the same names) is never touched.
TEST(HandleRename, FolderMovedMidRunKeepsItsRowsAndNeverTouchesTheNewcomer) {
    TempDir root;
    create(root.path(), {{"d/a.t", "a"}, {"d/b.t", "b"}, {"d/c.t", "c"}});
    RenameList list =
        listOf(root.prefix(), {{"d/", "a", "a1"}, {"d/", "b", "b1"}, {"d/", "c", "c1"}});
    HookedHandles fileSystem;
    fileSystem.beforeCall = [&root](int call) {
        if (call != 1)
            return;
        fs::rename(root.path() / "d", root.path() / "moved");
        create(root.path(), {{"d/b.t", "decoy b"}, {"d/c.t", "decoy c"}});
    };
    const RenameRunSummary summary = RenameRun(list, fileSystem).run();
    EXPECT_EQ(summary.renamed, 3);
    EXPECT_EQ(filesBelow(root.path()), (Files{{"moved/a1.t", "a"},
                                              {"moved/b1.t", "b"},
                                              {"moved/c1.t", "c"},
                                              {"d/b.t", "decoy b"},
                                              {"d/c.t", "decoy c"}}));
}

// Every rename call from the k-th on fails, for every k, with more folders
// than the cache holds handles: nothing is lost or moved across folders, and
// the journal's undo puts every file back.
TEST(HandleRename, FailingFromEveryCallLosesNothingAndUndoRestoresAll) {
    constexpr int folders = static_cast<int>(DirectoryHandles::capacity) + 3;
    Files before;
    std::vector<Row> rows;
    for (int round = 0; round < 2; ++round) {
        for (int f = 0; f < folders; ++f) {
            const std::string folder = "f" + std::to_string(f) + "/";
            const std::string name = "n" + std::to_string(round);
            before[folder + name + ".t"] = folder + name;
            rows.push_back({folder, name, "m" + std::to_string(round)});
        }
    }
    const int calls = static_cast<int>(rows.size());
    for (int k = 0; k <= calls; ++k) {
        SCOPED_TRACE("failing from call " + std::to_string(k));
        TempDir root;
        TempDir state;
        create(root.path(), before);
        RenameList list = listOf(root.prefix(), rows);
        JournalStore store(state.prefix() + "quorbel");
        HookedHandles fileSystem;
        fileSystem.failFrom = k;
        {
            std::string error;
            bool busy = false;
            const auto lock = store.lock(busy, error);
            ASSERT_TRUE(lock) << error;
            auto journal = store.start(*lock, error);
            ASSERT_TRUE(journal) << error;
            const RenameRunSummary summary = RenameRun(list, fileSystem, journal.get(), 4).run();
            EXPECT_EQ(summary.renamed, k);
        }
        const Files during = filesBelow(root.path());
        ASSERT_EQ(during.size(), before.size());
        for (const auto& [path, content] : during)
            EXPECT_EQ(fs::path(path).parent_path(), fs::path(content).parent_path()) << path;
        HandleFileSystem healthy;
        const LastRunUndoResult undo = undoLastRun(store, healthy);
        EXPECT_EQ(undo.summary.undone, k);
        EXPECT_EQ(filesBelow(root.path()), before);
    }
}

// Past its capacity the cache reopens a folder by its spelling, and a folder
// that another has replaced under that spelling meanwhile is refused.
TEST(DirectoryHandlesTest, ReopenedSpellingMustStillBeTheSameFolder) {
    TempDir root;
    std::vector<std::string> folders;
    for (std::size_t f = 0; f <= DirectoryHandles::capacity; ++f) {
        folders.push_back(root.prefix() + "f" + std::to_string(f) + "/");
        fs::create_directory(folders.back());
    }
    DirectoryHandles handles;
    for (const std::string& folder : folders)
        ASSERT_GE(handles.handle(folder), 0) << folder;
    EXPECT_EQ(handles.openCount(), DirectoryHandles::capacity);
    fs::rename(root.path() / "f0", root.path() / "away");
    fs::create_directory(root.path() / "f0");
    EXPECT_EQ(handles.handle(folders[0]), DirectoryHandles::replaced);
    EXPECT_GE(handles.handle(folders[1]), 0); // still open, or the same folder again
    EXPECT_EQ(handles.handle(root.prefix() + "none/"), DirectoryHandles::unreachable);
    // Renamed by the run itself: the spelling is free to name what is there now.
    handles.renamed(root.prefix(), "f0");
    EXPECT_GE(handles.handle(folders[0]), 0);
}

} // namespace
} // namespace quorbel
