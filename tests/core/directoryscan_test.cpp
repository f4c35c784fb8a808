// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/directoryscan.h"

#include "global/collation.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// One folder and one mask; entries are files unless marked: "name/" is a
// folder, "name>target" a symbolic link to target.
struct ScanCase {
    const char* title;
    Names entries;
    std::string mask;
    Names expected; // names, in the order the scan must give them
};

const std::string pictures = "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png;*.tif;*.gif";

const ScanCase scanCases[] = {
    {"pictures skip hidden files, folders and other types",
     {"a.JPG", "b.jpeg", "e.txt", ".d.jpg", "set.jpg/"},
     pictures,
     {"a.JPG", "b.jpeg"}},
    {"sorted without regard to case",
     {"B.jpg", "a.jpg", "D.jpg"},
     "*.jpg",
     {"a.jpg", "B.jpg", "D.jpg"}},
    {"names equal but for case in byte order",
     {"a.jpg", "A.jpg", "b.jpg"},
     "*.jpg",
     {"A.jpg", "a.jpg", "b.jpg"}},
    {"only the last extension counts", {"x.tar.jpg", "jpg", "y.jpg.txt"}, "*.jpg", {"x.tar.jpg"}},
    {"one extension pattern", {"p1.ab1", "P2.AB1", "p3.seq", "ab1"}, "*.ab1", {"p1.ab1", "P2.AB1"}},
    {"every file under *.*",
     {"a.txt", "README", "set.jpg/", ".hidden", "b."},
     "*.*",
     {"a.txt", "b.", "README"}},
    {"wildcard after the dot",
     {"a.jpg", "b.jpeg", "c.png", "d.jp"},
     "*.jp*",
     {"a.jpg", "b.jpeg", "d.jp"}},
    {"capitals in the pattern match any case",
     {"a.jpg", "b.JPG", "c.Jpg", "d.jpeg"},
     "*.JPG",
     {"a.jpg", "b.JPG", "c.Jpg"}},
    {"pattern without a star is one name", {"jpg", "a.jpg", "xjpg"}, "jpg", {"jpg"}},
    {"two-part extension by wildcard", {"a.tar.gz", "b.gz"}, "*.tar.gz", {"a.tar.gz"}},
    {"empty mask takes nothing", {"a", "b.txt", "c/"}, "", Names{}},
    {"mixed patterns",
     {"a.ab1", "b.seq", "c.SEQ", "d.txt"},
     "*.ab1;*.SEQ",
     {"a.ab1", "b.seq", "c.SEQ"}},
    {"a file matched twice is taken once",
     {"a.jpg", "b.txt"},
     "*.jpg;*.*;*.JPG",
     {"a.jpg", "b.txt"}},
    {"links to files count, links to folders and broken links do not",
     {"a.JPG", "set/", "link.jpg>a.JPG", "dirlink.jpg>set", "broken.jpg>absent.jpg"},
     "*.jpg",
     {"a.JPG", "link.jpg"}},
    {"non-ASCII names fold case too",
     {"Éa.jpg", "éb.jpg", "图.jpg", "z.jpg"},
     "*.jpg",
     {"z.jpg", "Éa.jpg", "éb.jpg", "图.jpg"}},
};

class ScanTest : public ::testing::TestWithParam<ScanCase> {};

void create(const test::TempDir& dir, const std::string& entry) {
    const size_t arrow = entry.find('>');
    if (arrow != std::string::npos)
        fs::create_symlink(entry.substr(arrow + 1), dir.path() / entry.substr(0, arrow));
    else if (entry.ends_with('/'))
        fs::create_directory(dir.path() / entry);
    else
        dir.write(entry, "x");
}

TEST_P(ScanTest, SelectsAndOrders) {
    const ScanCase& c = GetParam();
    test::TempDir dir;
    for (const std::string& entry : c.entries)
        create(dir, entry);
    Names expected;
    for (const std::string& name : c.expected)
        expected.push_back(dir.prefix() + name);
    const CaseBlindCollation collation("C.UTF-8");
    EXPECT_EQ(scanDirectory(dir.path().string(), c.mask, collation), expected);
    EXPECT_EQ(scanDirectory(dir.prefix(), c.mask, collation), expected) << "folder with its /";
}

INSTANTIATE_TEST_SUITE_P(Cases, ScanTest, ::testing::ValuesIn(scanCases), [](const auto& info) {
    std::string name;
    for (const char* c = info.param.title; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
});

TEST(ScanFailureTest, NoFolderGivesAnEmptyList) {
    test::TempDir dir;
    dir.write("a.jpg", "x");
    const CaseBlindCollation collation("C.UTF-8");
    EXPECT_EQ(scanDirectory((dir.path() / "absent").string(), "*.*", collation), Names{});
    EXPECT_EQ(scanDirectory(dir.prefix() + "a.jpg", "*.*", collation), Names{}) << "a file";
    EXPECT_EQ(scanDirectory("", "*.*", collation), Names{}) << "never the root or the current";
}

TEST(SinglePatternNoticeTest, OnlyMasksWithoutSemicolon) {
    EXPECT_EQ(singlePatternNotice("*.ab1"), ".ab1");
    EXPECT_EQ(singlePatternNotice("*.*"), ".*");
    EXPECT_EQ(singlePatternNotice("jpg"), "pg");
    EXPECT_EQ(singlePatternNotice(""), "");
    EXPECT_EQ(singlePatternNotice("*.jpg;*.jpeg"), std::nullopt);
    EXPECT_EQ(singlePatternNotice(";"), std::nullopt);
}

// The C.UTF-8 order is by code point; a language's locale puts accented letters
// with their base letter, and Chinese sorts by its reading (北 bei before 中 zhong). Those locales
// are checked where they are installed.
struct LocaleOrder {
    const char* locale;
    Names expected;
};

TEST(CaseBlindCollationTest, FollowsTheLocaleThenByteOrder) {
    const Names input = {"z", "E", "é", "f", "e", "北", "中", "É"};
    const LocaleOrder orders[] = {
        {"C.UTF-8", {"E", "e", "f", "z", "É", "é", "中", "北"}},
        {"en_US.UTF-8", {"E", "e", "É", "é", "f", "z", "中", "北"}},
        {"zh_CN.UTF-8", {"北", "中", "E", "e", "É", "é", "f", "z"}},
    };
    for (const LocaleOrder& order : orders) {
        std::unique_ptr<CaseBlindCollation> collation;
        try {
            collation = std::make_unique<CaseBlindCollation>(order.locale);
        } catch (const std::runtime_error&) {
            std::cout << "locale " << order.locale << " not installed; skipped\n";
            continue;
        }
        Names sorted = input;
        collation->sort(sorted);
        EXPECT_EQ(sorted, order.expected) << order.locale;
        EXPECT_TRUE(collation->less("e", "F")) << order.locale;
        EXPECT_TRUE(collation->less("E", "e")) << order.locale;
        EXPECT_FALSE(collation->less("e", "e")) << order.locale;
    }
}

TEST(CaseBlindCollationTest, StrayBytesStillGiveATotalOrder) {
    const CaseBlindCollation collation("C.UTF-8");
    Names names = {"b\xff", "a", "b\xfe", "B", "\xe4\xb8"};
    collation.sort(names);
    EXPECT_EQ(names, (Names{"a", "B", "b\xfe", "b\xff", "\xe4\xb8"}));
}

TEST(CaseBlindCollationTest, UnknownLocaleThrows) {
    EXPECT_THROW(CaseBlindCollation("xx_NOWHERE.UTF-8"), std::runtime_error);
}

} // namespace
} // namespace quorbel
