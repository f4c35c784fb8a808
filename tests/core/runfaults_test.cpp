// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/handlefilesystem.h"
#include "platform/posixfilesystem.h"
#include "renamelist/journalstore.h"
#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"
#include "renamelist/runundo.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <sys/stat.h>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// What a directory holds: each name with its content and its inode, so a file
// that comes back under its name but as another file is caught too.
using Snapshot = std::map<std::string, std::pair<std::string, ino_t>>;

Snapshot snapshot(const fs::path& directory) {
    Snapshot files;
    for (const auto& entry : fs::directory_iterator(directory)) {
        std::ifstream in(entry.path(), std::ios::binary);
        struct stat info {};
        ::lstat(entry.path().c_str(), &info);
        files[entry.path().filename().string()] = {
            std::string(std::istreambuf_iterator<char>(in), {}), info.st_ino};
    }
    return files;
}

// Stands for the program dying at an exact point: nothing after it runs.
struct Killed {};

// Counts every call the run makes to the file system and dies at the chosen one,
// before it reaches the disk. Alongside, the run looks at the files of its
// next batch from its helper thread, so the call that dies may be the
// helper's while the renames go on.
class DyingFileSystem : public RenameFileSystem {
public:
    explicit DyingFileSystem(long dieAt, bool alongside = false)
        : dieAt_(dieAt), alongside_(alongside) {}

    bool renameNeedsWritable() const override { return inner_.renameNeedsWritable(); }
    bool identifiesAlongside() const override { return alongside_; }
    std::optional<FileAttributes> getAttributes(const std::string& path) override {
        step();
        return inner_.getAttributes(path);
    }
    FsStatus setAttributes(const std::string& path, const FileAttributes& attributes) override {
        step();
        return inner_.setAttributes(path, attributes);
    }
    FsStatus renameNoReplace(const std::string& from, const std::string& to) override {
        step();
        std::this_thread::sleep_for(renameDelay);
        return inner_.renameNoReplace(from, to);
    }
    DirectoryListing listDirectory(const std::string& directory) override {
        step();
        return inner_.listDirectory(directory);
    }
    ResolvedDirectory resolveDirectory(const std::string& directory) override {
        step();
        return inner_.resolveDirectory(directory);
    }
    std::optional<DirectoryInodes> listInodes(const std::string& directory) override {
        step();
        return inner_.listInodes(directory);
    }
    std::optional<FileIdentity> identify(const std::string& path) override {
        step();
        return inner_.identify(path);
    }
    long calls() const { return calls_; }
    // Slow renames leave the helper all the time it needs to look ahead.
    std::chrono::milliseconds renameDelay{0};

private:
    void step() {
        if (calls_++ == dieAt_)
            throw Killed{};
    }
    PosixFileSystem inner_;
    long dieAt_;
    bool alongside_;
    std::atomic<long> calls_ = 0;
};

// The program's own file system, renaming relative to directory handles, dying
// before its k-th rename reaches the disk.
class DyingHandles : public HandleFileSystem {
public:
    explicit DyingHandles(long dieAt) : dieAt_(dieAt) {}
    long calls() const { return calls_; }

protected:
    int renameExclusive(const char* from, const char* to) override {
        step();
        return HandleFileSystem::renameExclusive(from, to);
    }
    int renameExclusiveAt(int fromDirectory, const char* from, int toDirectory,
                          const char* to) override {
        step();
        return HandleFileSystem::renameExclusiveAt(fromDirectory, from, toDirectory, to);
    }

private:
    void step() {
        if (calls_++ == dieAt_)
            throw Killed{};
    }
    long dieAt_;
    long calls_ = 0;
};

enum class WriteFault {
    None,
    DieBefore,   // the program dies before the k-th write
    DieHalfway,  // the k-th write reaches the disk in part, then the program dies
    FailHalfway, // the k-th write stops part way (a full disk); the run goes on
};

// The run's journal, with a fault at its k-th write. A write cut in part is
// made by writing it whole and cutting the file back, as the disk would hold it.
class FaultyJournal : public RunJournal {
public:
    FaultyJournal(JournalFile& journal, long faultAt, WriteFault fault)
        : journal_(journal), faultAt_(faultAt), fault_(fault) {}

    bool beginBatch(const std::vector<Rename>& renames) override {
        return write([&] { return journal_.beginBatch(renames); });
    }
    bool endBatch(const std::vector<bool>& renamed) override {
        return write([&] { return journal_.endBatch(renamed); });
    }
    bool finish() override {
        return write([&] { return journal_.finish(); });
    }
    long writes() const { return writes_; }

private:
    template <typename Write> bool write(Write whole) {
        if (writes_++ != faultAt_ || fault_ == WriteFault::None)
            return whole();
        if (fault_ == WriteFault::DieBefore)
            throw Killed{};
        const auto before = fs::file_size(journal_.path());
        whole();
        const auto after = fs::file_size(journal_.path());
        fs::resize_file(journal_.path(), before + (after - before) / 2);
        if (fault_ == WriteFault::DieHalfway)
            throw Killed{};
        return false;
    }

    JournalFile& journal_;
    long faultAt_;
    WriteFault fault_;
    long writes_ = 0;
};

struct Rename {
    std::string from, to; // names with their extension in the one directory
};

// One list holding every kind of row the run meets: plain successes, a chain
// in working order, a swap through a spare name, a taken target, a decoy (its
// file is missing and its new name belongs to another file), a second hard
// link of the file as its new name, an unchanged row, and more plain ones
// after them so the kill can fall in a later batch.
const std::vector<Rename> scenario{
    {"a.t", "A1.t"}, {"c.t", "d.t"},   {"b.t", "c.t"},      {"x.t", "tmp.t"},
    {"y.t", "x.t"},  {"tmp.t", "y.t"}, {"e.t", "taken.t"},  {"gone.t", "decoy.t"},
    {"h.t", "hl.t"}, {"k.t", "k.t"},   {"p.t", "q.t"},      {"q0.t", "q1.t"},
    {"r.t", "s.t"},  {"s0.t", "s1.t"}, {"decoy.t", "d2.t"}, {"u.t", "v.t"},
};

struct Scenario {
    TempDir files;
    TempDir state;
    JournalStore store{state.prefix() + "quorbel"};
    RenameList list;
    Snapshot before;

    // padding: plain renames after the scenario's rows, so the folder holds
    // enough of them for the run to read its inodes from one listing.
    explicit Scenario(int padding = 0) {
        for (const char* name : {"a.t", "b.t", "c.t", "x.t", "y.t", "e.t", "taken.t", "decoy.t",
                                 "h.t", "k.t", "p.t", "q0.t", "r.t", "s0.t", "u.t"})
            files.write(name, std::string("content of ") + name);
        fs::create_hard_link(files.path() / "h.t", files.path() / "hl.t");
        std::vector<Rename> rows = scenario;
        for (int i = 0; i < padding; ++i) {
            const std::string index = std::to_string(i);
            files.write("m" + index + ".t", index);
            rows.push_back({"m" + index + ".t", "n" + index + ".t"});
        }
        // Last, a name an earlier row freed and another row filled.
        rows.push_back({"x.t", "z.t"});
        std::vector<std::string> paths;
        for (const Rename& rename : rows)
            paths.push_back(files.prefix() + rename.from);
        list.fill(paths, posixPathRule);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::string& to = rows[i].to;
            list.setCell(RenameList::NewName, static_cast<int>(i) + 1, to.substr(0, to.size() - 2));
        }
        before = snapshot(files.path());
    }

    // The run with its journal, through the given file system and journal
    // faults; a death leaves everything as the dead program would.
    void run(RenameFileSystem& fileSystem, long journalFaultAt, WriteFault fault,
             long* journalWrites = nullptr) {
        bool busy = false;
        std::string error;
        const auto lock = store.lock(busy, error);
        ASSERT_TRUE(lock) << error;
        const auto journal = store.start(*lock, error);
        ASSERT_TRUE(journal) << error;
        FaultyJournal faulty(*journal, journalFaultAt, fault);
        try {
            const RenameRunSummary summary = RenameRun(list, fileSystem, &faulty, 4).run();
            store.settle(journal->path(), summary.renamed > 0);
        } catch (const Killed&) {
        }
        if (journalWrites)
            *journalWrites = faulty.writes();
    }

    // Every name and content as before the run, and the decoy never moved.
    void expectUndoneCompletely(const std::string& context) {
        const LastRunUndoResult undo = undoLastRun(store, posixFileSystem());
        EXPECT_NE(undo.status, LastRunUndo::Unusable) << context << ": " << undo.read.problem;
        EXPECT_NE(undo.status, LastRunUndo::Busy) << context;
        EXPECT_EQ(snapshot(files.path()), before) << context;
        EXPECT_EQ(undo.summary.failures, "") << context;
    }
};

long callsOfAWholeRun(bool alongside) {
    Scenario whole;
    DyingFileSystem counting(-1, alongside);
    whole.run(counting, -1, WriteFault::None);
    return counting.calls();
}

// Replays the journal's renames over the names as they were: each one must
// have recorded the file its old name held at that moment.
void expectEachRenameNamesTheFileItMoved(const JournalContents& journal,
                                         std::map<std::string, ino_t> holds) {
    for (const JournalEntry& entry : journal.entries) {
        if (entry.outcome != JournalOutcome::Renamed)
            continue;
        EXPECT_EQ(entry.inode, holds[entry.oldPath]) << entry.oldPath;
        holds[entry.newPath] = holds[entry.oldPath];
        holds.erase(entry.oldPath);
    }
}

std::map<std::string, ino_t> inodesByPath(const std::string& prefix, const Snapshot& files) {
    std::map<std::string, ino_t> holds;
    for (const auto& [name, file] : files)
        holds[prefix + name] = file.second;
    return holds;
}

long writesOfAWholeRun() {
    Scenario whole;
    long writes = 0;
    whole.run(posixFileSystem(), -1, WriteFault::None, &writes);
    return writes;
}

TEST(RunFaults, TheScenarioMeetsEveryKindOfRow) {
    Scenario s;
    s.run(posixFileSystem(), -1, WriteFault::None);
    std::vector<std::string> words;
    for (int row = 1; row < s.list.RowCount(); ++row)
        words.push_back(s.list.getCell(RenameList::Result, row));
    EXPECT_EQ(words, (std::vector<std::string>{"成功", "成功", "成功", "成功", "成功", "成功",
                                               "失败,文件重复", "失败,文件不存在",
                                               "失败,同一文件的硬链接", "保持不变", "成功", "成功",
                                               "成功", "成功", "成功", "成功", "成功"}));
    s.expectUndoneCompletely("whole run");
}

// The program dies before each file-system call of the run in turn, with the
// files looked at between the renames or from the helper thread beside them.
TEST(RunFaults, DeathBeforeAnyFileSystemCallIsUndoneCompletely) {
    for (const bool alongside : {false, true}) {
        const long calls = callsOfAWholeRun(alongside);
        ASSERT_GT(calls, 30);
        for (long k = 0; k <= calls; ++k) {
            Scenario s;
            DyingFileSystem dying(k, alongside);
            s.run(dying, -1, WriteFault::None);
            s.expectUndoneCompletely(std::string(alongside ? "alongside, " : "") +
                                     "died before file-system call " + std::to_string(k));
        }
    }
}

// The helper looks at a batch's files while the batch before it is renamed;
// the scenario's chains and swap cross batches of four, and the last row
// takes a name freed and filled before it, so every identity must still be
// of the file the rename then moved.
TEST(RunFaults, FilesLookedAtAlongsideAreTheFilesRenamed) {
    Scenario whole(8);
    DyingFileSystem alongside(-1, true);
    alongside.renameDelay = std::chrono::milliseconds(5);
    whole.run(alongside, -1, WriteFault::None);
    expectEachRenameNamesTheFileItMoved(whole.store.read(whole.store.runs().front().path).contents,
                                        inodesByPath(whole.files.prefix(), whole.before));
    whole.expectUndoneCompletely("whole run");
}

// Two folders swap places in one batch; a row of the next batch names a file
// by the folder's old spelling, which the swap gave to the other folder. The
// helper must not look at that file before the swap, or the journal would
// name the file of the folder that moved away.
TEST(RunFaults, FilesBehindAFolderRenamedInTheBatchBeforeAreLookedAtAfterIt) {
    TempDir files;
    TempDir state;
    JournalStore store(state.prefix() + "quorbel");
    fs::create_directory(files.path() / "d1");
    fs::create_directory(files.path() / "d2");
    files.write("d1/f.t", "one");
    files.write("d2/f.t", "two");
    const ino_t two = snapshot(files.path() / "d2").at("f.t").second;
    RenameList list;
    list.fill({files.prefix() + "d1", files.prefix() + "d2", files.prefix() + "tmp",
               files.prefix() + "d1/f.t"},
              posixPathRule);
    for (const auto& [row, name] : {std::pair{1, "tmp"}, {2, "d1"}, {3, "d2"}, {4, "g"}})
        list.setCell(RenameList::NewName, row, name);
    DyingFileSystem alongside(-1, true);
    alongside.renameDelay = std::chrono::milliseconds(20);
    {
        bool busy = false;
        std::string error;
        const auto lock = store.lock(busy, error);
        const auto journal = lock ? store.start(*lock, error) : nullptr;
        ASSERT_TRUE(journal) << error;
        RenameRun(list, alongside, journal.get(), 3).run();
    }
    EXPECT_EQ(files.read("d1/g.t"), "two");
    const JournalContents contents = store.read(store.runs().front().path).contents;
    ASSERT_EQ(contents.entries.size(), 4u);
    EXPECT_EQ(contents.entries.back().inode, two);
    EXPECT_EQ(undoLastRun(store, posixFileSystem()).summary.failures, "");
    EXPECT_EQ(files.read("d1/f.t"), "one");
    EXPECT_EQ(files.read("d2/f.t"), "two");
}

// The program dies before each journal write, or in the middle of it; or the
// write stops part way, as on a full disk, and the run goes on without it.
TEST(RunFaults, EveryJournalWriteFaultIsUndoneCompletely) {
    const long writes = writesOfAWholeRun();
    ASSERT_GE(writes, 9);
    for (const WriteFault fault :
         {WriteFault::DieBefore, WriteFault::DieHalfway, WriteFault::FailHalfway}) {
        for (long k = 0; k < writes; ++k) {
            Scenario s;
            s.run(posixFileSystem(), k, fault);
            s.expectUndoneCompletely("fault " + std::to_string(static_cast<int>(fault)) +
                                     " at journal write " + std::to_string(k));
        }
    }
}

// With many rows in one folder the run takes every inode from one listing and
// follows its own renames in it: the journal names the very file each rename
// moved, so a death anywhere is still undone completely.
TEST(RunFaults, OneListingForAFolderOfManyRowsIsKeptTrue) {
    constexpr int padding = 300;
    long calls = 0;
    {
        Scenario whole(padding);
        DyingFileSystem counting(-1);
        whole.run(counting, -1, WriteFault::None);
        calls = counting.calls();
        // One listing and a look to trust it, instead of a look at each file.
        EXPECT_LT(calls, padding + 40) << calls;
        expectEachRenameNamesTheFileItMoved(
            whole.store.read(whole.store.runs().front().path).contents,
            inodesByPath(whole.files.prefix(), whole.before));
        whole.expectUndoneCompletely("whole run");
    }
    for (long k = 0; k <= calls; k += 23) {
        Scenario s(padding);
        DyingFileSystem dying(k);
        s.run(dying, -1, WriteFault::None);
        s.expectUndoneCompletely("died before file-system call " + std::to_string(k));
    }
}

// The undo itself dies before each of its file-system calls; undone again, the
// files are all back and nothing else moved.
TEST(RunFaults, UndoDyingAnywhereIsFinishedByTheNextUndo) {
    long undoCalls = 0;
    {
        Scenario s;
        s.run(posixFileSystem(), -1, WriteFault::None);
        DyingFileSystem counting(-1);
        undoLastRun(s.store, counting);
        undoCalls = counting.calls();
    }
    ASSERT_GT(undoCalls, 20);
    for (long k = 0; k <= undoCalls; ++k) {
        Scenario s;
        s.run(posixFileSystem(), -1, WriteFault::None);
        DyingFileSystem dying(k);
        try {
            undoLastRun(s.store, dying);
        } catch (const Killed&) {
        }
        s.expectUndoneCompletely("undo died before call " + std::to_string(k));
    }
}

// The program's own file system, but looking at each batch's files itself,
// between its renames, as on a machine with one processor.
class InTurnFileSystem : public HandleFileSystem {
public:
    bool identifiesAlongside() const override { return false; }
};

// A whole run on the real file system under the history's lock, with its
// journal; the number of files renamed, or -1 when the journal could not start.
int runJournaled(JournalStore& store, RenameList& list, int batchRows,
                 RenameFileSystem& fileSystem) {
    bool busy = false;
    std::string error;
    const auto lock = store.lock(busy, error);
    const auto journal = lock ? store.start(*lock, error) : nullptr;
    if (!journal) {
        ADD_FAILURE() << error;
        return -1;
    }
    return RenameRun(list, fileSystem, journal.get(), batchRows).run().renamed;
}

// A folder named two ways ("d/" and "d/./") is one folder: a name freed
// through one spelling and filled through the other must not be answered from
// a listing taken before, or the journal would name a file the run never
// renamed there.
void expectTwoSpellingsShareWhatTheRunChanged(RenameFileSystem& fileSystem) {
    TempDir files;
    TempDir state;
    JournalStore store(state.prefix() + "quorbel");
    files.write("x.t", "x");
    files.write("y.t", "y");
    std::vector<std::string> paths{files.prefix() + "./x.t", files.prefix() + "y.t"};
    std::vector<std::string> names{"t", "x"};
    for (int i = 0; i < 300; ++i) {
        files.write("m" + std::to_string(i) + ".t", "");
        paths.push_back(files.prefix() + "m" + std::to_string(i) + ".t");
        names.push_back("n" + std::to_string(i));
    }
    paths.push_back(files.prefix() + "x.t");
    names.push_back("z");
    const ino_t y = snapshot(files.path()).at("y.t").second;
    RenameList list;
    list.fill(paths, posixPathRule);
    for (std::size_t i = 0; i < names.size(); ++i)
        list.setCell(RenameList::NewName, static_cast<int>(i) + 1, names[i]);
    const Snapshot before = snapshot(files.path());
    runJournaled(store, list, 4, fileSystem);
    const JournalContents journal = store.read(store.runs().front().path).contents;
    ASSERT_FALSE(journal.entries.empty());
    const JournalEntry& last = journal.entries.back();
    EXPECT_EQ(last.newPath, files.prefix() + "z.t");
    EXPECT_EQ(last.inode, y);
    undoLastRun(store, posixFileSystem());
    EXPECT_EQ(snapshot(files.path()), before);
}

TEST(RunFaults, TwoSpellingsOfOneFolderShareWhatTheRunChanged) {
    InTurnFileSystem inTurn;
    expectTwoSpellingsShareWhatTheRunChanged(inTurn);
    expectTwoSpellingsShareWhatTheRunChanged(posixFileSystem());
}

// The same deaths with the renames made through directory handles, in the run
// and in its undo: the handle changes how a file is reached, never which one.
TEST(RunFaults, DeathBeforeAnyRenameThroughHandlesIsUndoneCompletely) {
    long calls = 0;
    {
        Scenario whole;
        DyingHandles counting(-1);
        whole.run(counting, -1, WriteFault::None);
        calls = counting.calls();
    }
    ASSERT_GT(calls, 10);
    for (long k = 0; k <= calls; ++k) {
        Scenario s;
        DyingHandles dying(k);
        s.run(dying, -1, WriteFault::None);
        s.expectUndoneCompletely("died before rename " + std::to_string(k));
    }
    for (long k = 0; k <= calls; ++k) {
        Scenario s;
        s.run(posixFileSystem(), -1, WriteFault::None);
        DyingHandles dying(k);
        try {
            undoLastRun(s.store, dying);
        } catch (const Killed&) {
        }
        s.expectUndoneCompletely("undo died before rename " + std::to_string(k));
    }
}

// Rows of two large folders taken in turn: every rename is journaled with the
// file its old name held, in either.
void expectTwoLargeFoldersInTurnJournaledTrue(RenameFileSystem& fileSystem) {
    TempDir first;
    TempDir second;
    TempDir state;
    JournalStore store(state.prefix() + "quorbel");
    std::vector<std::string> paths;
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        for (const TempDir* dir : {&first, &second}) {
            dir->write("f" + std::to_string(i) + ".t", std::to_string(i));
            paths.push_back(dir->prefix() + "f" + std::to_string(i) + ".t");
            // A chain: each name freed by the row before in its folder is
            // taken by the next.
            names.push_back(i == 0 ? "z" : "f" + std::to_string(i - 1));
        }
    }
    RenameList list;
    list.fill(paths, posixPathRule);
    for (std::size_t i = 0; i < names.size(); ++i)
        list.setCell(RenameList::NewName, static_cast<int>(i) + 1, names[i]);
    const Snapshot beforeFirst = snapshot(first.path());
    const Snapshot beforeSecond = snapshot(second.path());
    std::map<std::string, ino_t> holds;
    for (const auto& [name, file] : beforeFirst)
        holds[first.prefix() + name] = file.second;
    for (const auto& [name, file] : beforeSecond)
        holds[second.prefix() + name] = file.second;
    EXPECT_EQ(runJournaled(store, list, 64, fileSystem), 600);
    const JournalContents journal = store.read(store.runs().front().path).contents;
    ASSERT_EQ(journal.entries.size(), 600u);
    for (const JournalEntry& entry : journal.entries) {
        EXPECT_EQ(entry.inode, holds[entry.oldPath]) << entry.oldPath;
        holds[entry.newPath] = holds[entry.oldPath];
        holds.erase(entry.oldPath);
    }
    undoLastRun(store, posixFileSystem());
    EXPECT_EQ(snapshot(first.path()), beforeFirst);
    EXPECT_EQ(snapshot(second.path()), beforeSecond);
}

// Each folder listed on its own, or every file looked at beside the renames.
TEST(RunFaults, TwoLargeFoldersInTurnAreJournaledTrue) {
    InTurnFileSystem inTurn;
    expectTwoLargeFoldersInTurnJournaledTrue(inTurn);
    expectTwoLargeFoldersInTurnJournaledTrue(posixFileSystem());
}

} // namespace
} // namespace quorbel
