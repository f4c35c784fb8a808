// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posixfilesystem.h"
#include "renamelist/journalstore.h"
#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"
#include "renamelist/runcheck.h"
#include "renamelist/runundo.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// Every entry under a directory, by its relative path: a file's content and
// inode, a directory's inode, a link's target.
using Tree = std::map<std::string, std::string>;

Tree treeOf(const fs::path& root) {
    Tree tree;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const fs::path& path = it->path();
        struct stat info {};
        ::lstat(path.c_str(), &info);
        std::string what = std::to_string(info.st_ino);
        if (S_ISLNK(info.st_mode))
            what = "link to " + fs::read_symlink(path).string();
        else if (S_ISREG(info.st_mode)) {
            std::ifstream in(path, std::ios::binary);
            what += " " + std::string(std::istreambuf_iterator<char>(in), {});
        }
        tree[fs::relative(path, root).string()] = what;
    }
    return tree;
}

class RandomTree {
public:
    explicit RandomTree(unsigned seed) : random_(seed) {}

    bool chance(unsigned percent) { return random_() % 100 < percent; }
    template <typename T> const T& pick(const std::vector<T>& from) {
        return from[random_() % from.size()];
    }

    // Files in the root and in two folders, hard links, and a link to a folder.
    void populate(const fs::path& root) {
        fs::create_directories(root / "s");
        if (chance(50))
            fs::create_directories(root / "t");
        for (const char* folder : {"", "s/"}) {
            for (const char* stem : {"a", "b", "c", "d", "ab"}) {
                if (chance(50))
                    std::ofstream(root / (std::string(folder) + stem + ".t")) << folder << stem;
            }
            if (fs::exists(root / (std::string(folder) + "a.t")) && chance(40))
                fs::create_hard_link(root / (std::string(folder) + "a.t"),
                                     root / (std::string(folder) + "h.t"));
        }
        fs::create_directory_symlink("s", root / "L");
    }

    // Rows over those files and folders: a folder itself renamed, "." and
    // "..", the same file twice, swaps and chains among a few names.
    RenameList list(const std::string& root) {
        const std::vector<std::string> directories{root,          root,         root + "s/",
                                                   root + "L/",   root + "./",  root + "s/../",
                                                   root + "t/",   root + "s2/", root + "none/"};
        const std::vector<std::string> stems{"a", "b", "c", "d", "h", "ab", "x"};
        const int rows = 1 + static_cast<int>(random_() % 10);
        RenameList list;
        list.setRowCount(rows + 1);
        for (int row = 1; row <= rows; ++row) {
            std::string directory = pick(directories);
            std::string oldName = pick(stems);
            std::string extension = ".t";
            if (chance(12)) { // a folder as a row of its own
                directory = root;
                oldName = chance(50) ? "s" : "t";
                extension = "";
            } else if (chance(5)) {
                oldName = chance(50) ? "." : "..";
                extension = "";
            }
            std::string newName = chance(10) ? oldName : pick(stems);
            if (extension.empty() && oldName.size() == 1 && chance(60))
                newName = chance(50) ? "s2" : "t";
            list.setCell(RenameList::Directory, row, directory);
            list.setCell(RenameList::OldName, row, oldName);
            list.setCell(RenameList::NewName, row, newName);
            list.setCell(RenameList::Extension, row, extension);
        }
        return list;
    }

private:
    std::mt19937 random_;
};

// Over small random lists: the check predicts every row's word, the failure
// list and the count exactly; and the run, then its undo, leave every file,
// folder and link where it was.
TEST(RunProperty, PredictionEqualsRunAndUndoRestoresEverything) {
    std::set<std::string> seen;
    for (unsigned seed = 1; seed <= 250; ++seed) {
        const std::string context = "seed " + std::to_string(seed);
        RandomTree random(seed);
        TempDir files;
        TempDir state;
        const fs::path root = files.path() / "w";
        random.populate(root);
        const Tree before = treeOf(root);
        RenameList list = random.list(root.string() + "/");

        const RunPrediction prediction = predictRun(list, posixFileSystem());
        const JournalStore store(state.prefix() + "quorbel");
        bool busy = false;
        std::string error;
        RenameRunSummary summary;
        {
            const auto lock = store.lock(busy, error);
            ASSERT_TRUE(lock) << error;
            const auto journal = store.start(*lock, error);
            ASSERT_TRUE(journal) << error;
            summary = RenameRun(list, posixFileSystem(), journal.get(), 3).run();
            store.settle(journal->path(), summary.renamed > 0);
        }
        for (int row = 1; row < list.RowCount(); ++row) {
            EXPECT_EQ(prediction.words[static_cast<std::size_t>(row)],
                      list.getCell(RenameList::Result, row))
                << context << " row " << row;
            seen.insert(list.getCell(RenameList::Result, row));
        }
        EXPECT_EQ(prediction.failures, summary.failures) << context;

        const LastRunUndoResult undo = undoLastRun(store, posixFileSystem());
        EXPECT_EQ(undo.status, summary.renamed > 0 ? LastRunUndo::Undone : LastRunUndo::Nothing)
            << context;
        EXPECT_EQ(undo.summary.failures, "") << context;
        EXPECT_EQ(treeOf(root), before) << context;
    }
    EXPECT_EQ(seen, (std::set<std::string>{"成功", "保持不变", "失败,文件重复", "失败,文件不存在",
                                           "失败,无法改名", "失败,同一文件的硬链接"}));
}

} // namespace
} // namespace quorbel
