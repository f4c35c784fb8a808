// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posixfilesystem.h"
#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"
#include "renamelist/runcheck.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

struct Row {
    std::string directory, oldName, newName, extension;
};

RenameList listOf(const std::vector<Row>& rows) {
    RenameList list;
    list.setRowCount(static_cast<int>(rows.size()) + 1);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        list.setCell(RenameList::Directory, row, rows[i].directory);
        list.setCell(RenameList::OldName, row, rows[i].oldName);
        list.setCell(RenameList::NewName, row, rows[i].newName);
        list.setCell(RenameList::Extension, row, rows[i].extension);
    }
    return list;
}

// Predicts, runs, and compares every row, the failure list and the count.
// Returns the words seen, so a caller can tell its lists reach every case.
std::set<std::string> expectPredictionEqualsRun(RenameList& list, RenameFileSystem& fileSystem,
                                                const std::string& context) {
    const RunPrediction prediction = predictRun(list, fileSystem);
    const RenameRunSummary summary = RenameRun(list, fileSystem).run();
    std::set<std::string> seen;
    for (int row = 1; row < list.RowCount(); ++row) {
        EXPECT_EQ(prediction.words[static_cast<std::size_t>(row)],
                  list.getCell(RenameList::Result, row))
            << context << " row " << row;
        seen.insert(list.getCell(RenameList::Result, row));
    }
    EXPECT_EQ(prediction.failures, summary.failures) << context;
    EXPECT_EQ(prediction.renamed, summary.renamed) << context;
    return seen;
}

// Small random lists over few names, so duplicates, chains in either order,
// swaps, existing targets, missing files, hard links and case-only changes
// come up again and again.
class RandomLists {
public:
    explicit RandomLists(unsigned seed) : random_(seed) {}

    std::string name() {
        static const std::vector<std::string> names{"a", "b", "c", "A", "B", "ab", "h", "Ab"};
        return names[random_() % names.size()];
    }
    std::string extension() { return random_() % 6 == 0 ? "" : ".t"; }
    bool chance(unsigned percent) { return random_() % 100 < percent; }

    std::string newName(const std::string& oldName) {
        const unsigned pick = random_() % 20;
        if (pick == 0)
            return "";
        if (pick == 1)
            return oldName;
        if (pick == 2)
            return "s/x"; // leaves the directory: refused before any rename
        return name();
    }

    std::vector<Row> rows(const std::vector<std::string>& directories) {
        std::vector<Row> rows(1 + random_() % 8);
        for (Row& row : rows) {
            row.directory = directories[random_() % directories.size()];
            row.oldName = name();
            row.newName = newName(row.oldName);
            row.extension = extension();
        }
        return rows;
    }

private:
    std::mt19937 random_;
};

void populate(RandomLists& random, const fs::path& directory) {
    fs::create_directories(directory);
    for (const char* stem : {"a", "b", "c", "A", "B", "ab", "Ab"}) {
        for (const char* extension : {".t", ""}) {
            if (random.chance(45))
                std::ofstream(directory / (std::string(stem) + extension)) << stem;
        }
    }
    if (fs::exists(directory / "a.t") && random.chance(30))
        fs::create_hard_link(directory / "a.t", directory / "h.t");
}

TEST(PredictionOnDisk, EqualsTheRunOnRandomLists) {
    std::set<std::string> seen;
    for (unsigned seed = 1; seed <= 250; ++seed) {
        RandomLists random(seed);
        TempDir dir;
        populate(random, dir.path());
        populate(random, dir.path() / "s");
        // Two spellings of one directory, a second one, and one that is missing.
        const std::vector<std::string> directories{dir.prefix(), dir.prefix(), dir.prefix() + "./",
                                                   dir.prefix() + "s/", dir.prefix() + "none/"};
        RenameList list = listOf(random.rows(directories));
        seen.merge(
            expectPredictionEqualsRun(list, posixFileSystem(), "seed " + std::to_string(seed)));
    }
    EXPECT_EQ(seen, (std::set<std::string>{"成功", "保持不变", "失败,文件重复", "失败,文件不存在",
                                           "失败,名称无效", "失败,同一文件的硬链接"}));
}

// An in-memory file system with the POSIX layer's rules, optionally folding
// ASCII case and optionally refusing to list, for what a temporary directory
// here cannot show.
class MemoryFileSystem : public RenameFileSystem {
public:
    MemoryFileSystem(bool foldsCase, bool lists) : folds_(foldsCase), lists_(lists) {}

    bool renameNeedsWritable() const override { return false; }
    std::optional<FileAttributes> getAttributes(const std::string& path) override {
        ++attributeReads;
        if (!findExact(path))
            return std::nullopt;
        return FileAttributes{};
    }
    FsStatus setAttributes(const std::string&, const FileAttributes&) override {
        return FsStatus::Ok;
    }
    FsStatus renameNoReplace(const std::string& from, const std::string& to) override {
        const auto source = findExact(from);
        if (!source)
            return FsStatus::SourceMissing;
        const auto target = findExact(to);
        if (target && *target != *source)
            return FsStatus::TargetExists;
        files_.erase(*source);
        files_.insert(to);
        return FsStatus::Ok;
    }
    DirectoryListing listDirectory(const std::string& directory) override {
        ++listings;
        if (!lists_)
            return RenameFileSystem::listDirectory(directory);
        DirectoryListing listing;
        listing.listed = true;
        listing.foldsCase = folds_;
        for (const std::string& file : files_) {
            if (file.starts_with(directory) &&
                file.find('/', directory.size()) == std::string::npos)
                listing.names.push_back(file.substr(directory.size()));
        }
        return listing;
    }

    void add(const std::string& path) { files_.insert(path); }
    int listings = 0;
    int attributeReads = 0;

private:
    std::string key(const std::string& path) const {
        std::string folded = path;
        for (char& c : folded) {
            if (folds_ && c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 32);
        }
        return folded;
    }
    std::optional<std::string> findExact(const std::string& path) const {
        for (const std::string& file : files_) {
            if (key(file) == key(path))
                return file;
        }
        return std::nullopt;
    }

    bool folds_;
    bool lists_;
    std::set<std::string> files_;
};

// A directory that folds case but cannot be listed is beyond a prediction:
// it cannot tell a case alias of the file from another file.
TEST(PredictionInMemory, EqualsTheRunWhereCaseFoldsAndWhereNothingIsListed) {
    for (const bool folds : {false, true}) {
        for (const bool lists : {true, false}) {
            if (folds && !lists)
                continue;
            for (unsigned seed = 1; seed <= 300; ++seed) {
                RandomLists random(seed);
                MemoryFileSystem memory(folds, lists);
                std::set<std::string> keys;
                for (const char* stem : {"a", "b", "c", "A", "B", "ab", "Ab"}) {
                    std::string folded = stem;
                    folded[0] = static_cast<char>(std::tolower(folded[0]));
                    if (random.chance(45) && (!folds || keys.insert(folded).second))
                        memory.add("/m/" + std::string(stem) + ".t");
                }
                RenameList list = listOf(random.rows({"/m/"}));
                const std::string context = std::string(folds ? "folding" : "exact") +
                                            (lists ? " listed" : " unlisted") + " seed " +
                                            std::to_string(seed);
                expectPredictionEqualsRun(list, memory, context);
            }
        }
    }
}

TEST(PredictionCalls, OneListingPerDirectoryAndNoCallPerRow) {
    MemoryFileSystem memory(false, true);
    std::vector<Row> rows;
    for (int i = 0; i < 500; ++i) {
        memory.add("/m/f" + std::to_string(i) + ".t");
        rows.push_back({"/m/", "f" + std::to_string(i), "g" + std::to_string(i), ".t"});
        rows.push_back({"/n/", "f" + std::to_string(i), "g" + std::to_string(i), ".t"});
    }
    const RunPrediction prediction = predictRun(listOf(rows), memory);
    EXPECT_EQ(memory.listings, 2);
    EXPECT_EQ(memory.attributeReads, 0);
    EXPECT_EQ(prediction.renamed, 500);
    EXPECT_EQ(prediction.failed, 500);
}

// A directory that is sticky and someone else's, as the POSIX layer reports it
// to a user who is not root: only files of that user may be renamed there.
class StickyForeignFileSystem : public PosixFileSystem {
public:
    explicit StickyForeignFileSystem(std::string foreignFile) : foreign_(std::move(foreignFile)) {}
    DirectoryListing listDirectory(const std::string& directory) override {
        DirectoryListing listing = PosixFileSystem::listDirectory(directory);
        listing.stickyForeign = true;
        return listing;
    }
    std::optional<FileIdentity> identify(const std::string& path) override {
        std::optional<FileIdentity> file = PosixFileSystem::identify(path);
        if (file && path == foreign_)
            file->ownedByUser = false;
        return file;
    }
    FsStatus renameNoReplace(const std::string& from, const std::string& to) override {
        return from == foreign_ ? FsStatus::AccessDenied : PosixFileSystem::renameNoReplace(from, to);
    }

private:
    std::string foreign_;
};

bool makeImmutable(const fs::path& file, bool on) {
    const std::string command =
        std::string("chattr ") + (on ? "+i " : "-i ") + file.string() + " 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

// What the file itself allows decides as the run meets it: a file of someone
// else in a sticky directory, an immutable file.
TEST(PredictionOnDisk, FilesThatRefuseTheirRenameArePredicted) {
    {
        TempDir dir;
        dir.write("mine.t", "m");
        dir.write("theirs.t", "t");
        const std::string real = fs::canonical(dir.path()).string() + "/";
        StickyForeignFileSystem sticky(real + "theirs.t");
        RenameList list = listOf({{dir.prefix(), "theirs", "x", ".t"}, {dir.prefix(), "mine", "y", ".t"}});
        const std::set<std::string> seen = expectPredictionEqualsRun(list, sticky, "sticky");
        EXPECT_EQ(seen, (std::set<std::string>{"失败,没有权限", "成功"}));
    }
    TempDir dir;
    dir.write("fixed.t", "f");
    if (!makeImmutable(dir.path() / "fixed.t", true))
        GTEST_SKIP() << "chattr +i needs root on a file system that keeps the flag";
    RenameList list = listOf({{dir.prefix(), "fixed", "x", ".t"}});
    const std::set<std::string> seen = expectPredictionEqualsRun(list, posixFileSystem(), "immutable");
    makeImmutable(dir.path() / "fixed.t", false);
    EXPECT_EQ(seen, (std::set<std::string>{"失败,没有权限"}));
}

TEST(PredictionTexts, StatusAndWordsReadAsTheUserSeesThem) {
    RunPrediction prediction;
    prediction.renamed = 95;
    prediction.failed = 1;
    EXPECT_EQ(precheckStatusText(prediction), "预检: 95 个文件可以换名, 1 个将失败");
    EXPECT_EQ(predictedWord("失败,文件重复"), "预计:失败,文件重复");
}

} // namespace
} // namespace quorbel
