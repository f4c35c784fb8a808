// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/pathsplit.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

struct SplitCase {
    const char* name;
    std::string path;
    PathRule rule;
    std::string directory;
    std::string base;
    std::string extension;
};

class PathSplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(PathSplitTest, SplitsIntoDirectoryNameAndExtension) {
    const SplitCase& c = GetParam();
    const PathParts parts = splitPath(c.path, c.rule);
    EXPECT_EQ(parts.directory, c.directory);
    EXPECT_EQ(parts.name, c.base);
    EXPECT_EQ(parts.extension, c.extension);
    EXPECT_EQ(extensionOf(c.path, c.rule), c.extension);
}

// "\xD5\x5C" is a GBK character whose second byte has the value of "\".
INSTANTIATE_TEST_SUITE_P(
    Cases, PathSplitTest,
    ::testing::Values(
        SplitCase{"WinJpg", "D:\\pics\\a.jpg", windowsGbkPathRule, "D:\\pics\\", "a", ".jpg"},
        SplitCase{"WinTarGz", "D:\\pics\\b.tar.gz", windowsGbkPathRule, "D:\\pics\\", "b.tar",
                  ".gz"},
        SplitCase{"WinNoExtension", "D:\\pics\\README", windowsGbkPathRule, "D:\\pics\\", "README",
                  ""},
        SplitCase{"WinDotFile", "D:\\x\\.cfg", windowsGbkPathRule, "D:\\x\\", "", ".cfg"},
        SplitCase{"WinDotInDirectory", "D:\\ver1.2\\file", windowsGbkPathRule, "D:\\ver1.2\\",
                  "file", ""},
        SplitCase{"WinDriveOnly", "D:a.jpg", windowsGbkPathRule, "D:", "a", ".jpg"},
        SplitCase{"WinGbkTrailBackslash", "D:\\pics\\\xD5\x5C\xB1\xED.jpg", windowsGbkPathRule,
                  "D:\\pics\\", "\xD5\x5C\xB1\xED", ".jpg"},
        SplitCase{"WinGbkTrailDot",
                  "D:\\\x81\x2E"
                  "a",
                  windowsGbkPathRule, "D:\\",
                  "\x81\x2E"
                  "a",
                  ""},
        SplitCase{"PosixJpg", "/home/u/pics/a.jpg", posixPathRule, "/home/u/pics/", "a", ".jpg"},
        SplitCase{"PosixBackslashIsAName", "/p/a\\b.jpg", posixPathRule, "/p/", "a\\b", ".jpg"},
        SplitCase{"PosixColonIsAName", "/p/12:30.seq", posixPathRule, "/p/", "12:30", ".seq"},
        SplitCase{"PosixRoot", "/x.ab1", posixPathRule, "/", "x", ".ab1"},
        SplitCase{"PosixNoDirectory", "plain.txt", posixPathRule, "", "plain", ".txt"},
        SplitCase{"PosixUtf8", "/样品/样品1.ab1", posixPathRule, "/样品/", "样品1", ".ab1"},
        SplitCase{"Empty", "", posixPathRule, "", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TrimmedTest, RemovesControlBytesAndBlanksAtBothEnds) {
    EXPECT_EQ(trimmed(" \t*.ab1 \r\n"), "*.ab1");
    EXPECT_EQ(trimmed("a b"), "a b");
    EXPECT_EQ(trimmed("   "), "");
    EXPECT_EQ(trimmed("\xE6\xA0\xB7"), "\xE6\xA0\xB7"); // bytes above 127 are kept
}

} // namespace
} // namespace quorbel
