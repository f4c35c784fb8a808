// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/findfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace quorbel {
namespace {

namespace fs = std::filesystem;

class FindFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quorbel_findfiles_" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
        for (const char* name :
             {"b.jpg", "A.JPG", "d.png", "notes.txt", ".hidden.jpg", "README", "c.jpeg"})
            std::ofstream(dir_ / name) << "x";
        fs::create_directories(dir_ / "folder.jpg");
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::vector<std::string> find(std::string_view mask) { return findFiles(dir_.string(), mask); }

    fs::path dir_;
};

using Names = std::vector<std::string>;

TEST_F(FindFilesTest, ListsMatchesSortedCaseBlindWithoutFoldersOrHiddenFiles) {
    EXPECT_EQ(find("*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png;*.tif;*.gif"),
              (Names{"A.JPG", "b.jpg", "c.jpeg", "d.png"}));
}

TEST_F(FindFilesTest, FileMatchedByTwoPatternsIsListedTwice) {
    EXPECT_EQ(find("*.*;*.jpg"), (Names{"A.JPG", "A.JPG", "b.jpg", "b.jpg", "c.jpeg", "d.png",
                                        "notes.txt", "README"}));
}

TEST_F(FindFilesTest, EmptyMaskListsNothing) {
    EXPECT_EQ(find(""), Names{});
    EXPECT_EQ(find("*.mp3"), Names{});
}

TEST_F(FindFilesTest, MissingDirectoryThrows) {
    EXPECT_THROW(findFiles((dir_ / "absent").string(), "*.*"), fs::filesystem_error);
}

TEST(FileNameLessTest, OrdersCaseBlindThenByBytes) {
    EXPECT_TRUE(fileNameLess("A.JPG", "b.jpg"));
    EXPECT_FALSE(fileNameLess("b.jpg", "A.JPG"));
    EXPECT_TRUE(fileNameLess("a", "ab"));
    EXPECT_TRUE(fileNameLess("A.jpg", "a.jpg")); // fixed order for names equal but for case
    EXPECT_FALSE(fileNameLess("a.jpg", "A.jpg"));
    EXPECT_FALSE(fileNameLess("x", "x"));
}

} // namespace
} // namespace quorbel
