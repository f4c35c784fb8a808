// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posixfilesystem.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include <sys/stat.h>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// Acts like a file system that does not know RENAME_NOREPLACE.
class FlagRefusingFileSystem : public PosixFileSystem {
protected:
    int renameExclusive(const char*, const char*) override { return EINVAL; }
};

ino_t inodeOf(const fs::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

TEST(PosixErrno, EveryRefusalMapsToItsStatus) {
    EXPECT_EQ(statusFromErrno(EEXIST), FsStatus::TargetExists);
    EXPECT_EQ(statusFromErrno(ENOTEMPTY), FsStatus::TargetExists);
    EXPECT_EQ(statusFromErrno(ENOENT), FsStatus::SourceMissing);
    EXPECT_EQ(statusFromErrno(EACCES), FsStatus::AccessDenied);
    EXPECT_EQ(statusFromErrno(EPERM), FsStatus::AccessDenied);
    EXPECT_EQ(statusFromErrno(EROFS), FsStatus::ReadOnlyFileSystem);
    EXPECT_EQ(statusFromErrno(ENAMETOOLONG), FsStatus::InvalidName);
    EXPECT_EQ(statusFromErrno(ENOSPC), FsStatus::DiskFull);
    EXPECT_EQ(statusFromErrno(EDQUOT), FsStatus::DiskFull);
    EXPECT_EQ(statusFromErrno(EBUSY), FsStatus::Refused);
    EXPECT_EQ(statusFromErrno(EXDEV), FsStatus::Refused);
}

TEST(PosixRename, PathsThatCannotReachTheKernelIntactAreRefusedUpFront) {
    TempDir dir;
    dir.write("a", "a");
    PosixFileSystem posix;
    EXPECT_EQ(posix.renameNoReplace("", dir.prefix() + "b"), FsStatus::SourceMissing);
    // Cut at the NUL, this path would name the existing file "a".
    EXPECT_EQ(posix.renameNoReplace(dir.prefix() + "b", dir.prefix() + std::string("a\0x", 3)),
              FsStatus::InvalidName);
    EXPECT_EQ(dir.read("a"), "a");
}

// A second hard link has the same inode as the source, like a case alias, but
// is a different file name: it is refused with its own word, without ever
// moving the file to a temporary name, and both names survive.
TEST(PosixRename, HardLinkTargetIsReportedAndBothNamesStay) {
    TempDir dir;
    dir.write("a", "same");
    fs::create_hard_link(dir.path() / "a", dir.path() / "b");
    EXPECT_EQ(posixFileSystem().renameNoReplace(dir.prefix() + "a", dir.prefix() + "b"),
              FsStatus::SameFileLink);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
    EXPECT_EQ(dir.read("a"), "same");
    EXPECT_EQ(inodeOf(dir.path() / "a"), inodeOf(dir.path() / "b"));
}

TEST(PosixRename, FallbackWithoutTheFlagMovesARegularFile) {
    TempDir dir;
    dir.write("a", "moved");
    const ino_t inode = inodeOf(dir.path() / "a");
    FlagRefusingFileSystem posix;
    EXPECT_EQ(posix.renameNoReplace(dir.prefix() + "a", dir.prefix() + "b"), FsStatus::Ok);
    EXPECT_FALSE(fs::exists(dir.path() / "a"));
    EXPECT_EQ(dir.read("b"), "moved");
    EXPECT_EQ(inodeOf(dir.path() / "b"), inode);
}

TEST(PosixRename, FallbackWithoutTheFlagNeverReplaces) {
    TempDir dir;
    dir.write("a", "a");
    dir.write("b", "keep");
    FlagRefusingFileSystem posix;
    EXPECT_EQ(posix.renameNoReplace(dir.prefix() + "a", dir.prefix() + "b"),
              FsStatus::TargetExists);
    EXPECT_EQ(dir.read("a"), "a");
    EXPECT_EQ(dir.read("b"), "keep");
    EXPECT_EQ(posix.renameNoReplace(dir.prefix() + "gone", dir.prefix() + "c"),
              FsStatus::SourceMissing);
    fs::create_directory(dir.path() / "sub");
    EXPECT_EQ(posix.renameNoReplace(dir.prefix() + "sub", dir.prefix() + "c"), FsStatus::Refused);
    EXPECT_TRUE(fs::is_directory(dir.path() / "sub"));
}

TEST(PosixRename, RefusedWhenTheDirectoryDeniesWriting) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permission checks do not apply to root";
    TempDir dir;
    dir.write("a", "a");
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const FsStatus status =
        posixFileSystem().renameNoReplace(dir.prefix() + "a", dir.prefix() + "b");
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(status, FsStatus::AccessDenied);
}

TEST(PosixAttributes, ReadOnlyMarkRoundTrips) {
    TempDir dir;
    dir.write("a", "a");
    fs::permissions(dir.path() / "a", fs::perms(0640));
    PosixFileSystem posix;
    const auto original = posix.getAttributes(dir.prefix() + "a");
    ASSERT_TRUE(original);
    EXPECT_FALSE(original->readOnly);
    FileAttributes locked = *original;
    locked.readOnly = true;
    EXPECT_EQ(posix.setAttributes(dir.prefix() + "a", locked), FsStatus::Ok);
    EXPECT_EQ(fs::status(dir.path() / "a").permissions(), fs::perms(0440));
    EXPECT_TRUE(posix.getAttributes(dir.prefix() + "a")->readOnly);
    EXPECT_EQ(posix.setAttributes(dir.prefix() + "a", *original), FsStatus::Ok);
    EXPECT_EQ(fs::status(dir.path() / "a").permissions(), fs::perms(0640));
    EXPECT_FALSE(posix.getAttributes(dir.prefix() + "gone"));
}

} // namespace
} // namespace quorbel
