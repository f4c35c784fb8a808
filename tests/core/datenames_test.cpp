// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/datenamer.h"
#include "numbering/datepattern.h"
#include "platform/posixfilesystem.h"
#include "platform/renamefilesystem.h"
#include "preview/exifdate.h"
#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorbel {
namespace {

namespace fs = std::filesystem;

} // namespace

void PrintTo(const TakenTime& t, std::ostream* os) {
    *os << t.year << '-' << t.month << '-' << t.day << ' ' << t.hour << ':' << t.minute << ':'
        << t.second;
}

namespace {

const fs::path fixtures = fs::path(QUORBEL_FIXTURES) / "datenames";

std::string testName(const char* text) {
    std::string name = text;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

struct DateTextCase {
    const char* name;
    std::string text;
    std::optional<TakenTime> expected;
};

const DateTextCase dateTextCases[] = {
    {"as EXIF writes it", "2025:07:14 09:30:05", TakenTime{2025, 7, 14, 9, 30, 5}},
    {"dashes and a T", "2025-07-14T09:30:05", TakenTime{2025, 7, 14, 9, 30, 5}},
    {"slashes", "2025/07/14 09:30:05", TakenTime{2025, 7, 14, 9, 30, 5}},
    {"blank padding after the seconds", "2025:07:14 09:30:05  ", TakenTime{2025, 7, 14, 9, 30, 5}},
    {"a leap day", "2024:02:29 23:59:59", TakenTime{2024, 2, 29, 23, 59, 59}},
    {"a leap second", "2016:12:31 23:59:60", TakenTime{2016, 12, 31, 23, 59, 60}},
    {"clock never set", "0000:00:00 00:00:00", std::nullopt},
    {"blanks of a camera without clock", "    :  :     :  :  ", std::nullopt},
    {"no leap day in 2100", "2100:02:29 10:00:00", std::nullopt},
    {"the 31st of April", "2025:04:31 10:00:00", std::nullopt},
    {"hour 24", "2025:07:14 24:00:00", std::nullopt},
    {"mixed separators", "2025:07-14 09:30:05", std::nullopt},
    {"cut short", "2025:07:14 09:30", std::nullopt},
    {"a sign in a number", "2025:+7:14 09:30:05", std::nullopt},
    {"empty", "", std::nullopt},
};

class ExifDateText : public ::testing::TestWithParam<DateTextCase> {};

TEST_P(ExifDateText, ReadsOnlyDatesThatExist) {
    EXPECT_EQ(readExifDateTime(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExifDateText, ::testing::ValuesIn(dateTextCases),
                         [](const auto& info) { return testName(info.param.name); });

// Files tagged by exiftool: which tag wins, and which files have no date.
struct FixtureCase {
    const char* file;
    std::optional<TakenTime> expected;
};

const FixtureCase fixtureCases[] = {
    {"original.jpg", TakenTime{2025, 7, 14, 9, 30, 5}},
    {"digitized.jpg", TakenTime{2025, 7, 14, 11, 0, 0}},
    {"modified.jpg", TakenTime{2025, 7, 20, 18, 0, 0}},
    {"unset-clock.jpg", TakenTime{2024, 2, 29, 23, 59, 59}},
    {"pair-1.jpg", TakenTime{2025, 7, 14, 10, 15, 30}},
    {"camera.jpg", TakenTime{2025, 7, 14, 9, 30, 5}},
    {"no-exif.jpg", std::nullopt},
    {"damaged-exif.jpg", std::nullopt},
    {"not-there.jpg", std::nullopt},
    {"make_date_fixtures.sh", std::nullopt},
};

class DateTakenFixture : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(DateTakenFixture, OriginalThenDigitizedThenDateTime) {
    EXPECT_EQ(readDateTaken((fixtures / GetParam().file).string()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Files, DateTakenFixture, ::testing::ValuesIn(fixtureCases),
                         [](const auto& info) { return testName(info.param.file); });

// Every cut of a tagged file's head gives no date or one of the file's own
// three (a cut that loses the original's directory falls back to the next
// tag), never another date and never a crash.
TEST(DateTaken, EveryCutOfTheHeadGivesNoDateOrOneOfTheFilesOwn) {
    std::ifstream in(fixtures / "original.jpg", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const TakenTime original{2025, 7, 14, 9, 30, 5};
    const std::vector<TakenTime> own{original, {2025, 7, 14, 9, 31, 0}, {2025, 7, 20, 18, 0, 0}};
    for (std::size_t size = 0; size <= bytes.size(); ++size) {
        const std::optional<TakenTime> taken = dateTakenFromBytes(data, size);
        if (taken) {
            EXPECT_NE(std::find(own.begin(), own.end(), *taken), own.end()) << size;
        }
    }
    EXPECT_EQ(dateTakenFromBytes(data, bytes.size()), original);
}

// A camera JPEG is megabytes of picture behind a block of a few kilobytes; the
// date comes from the block alone.
TEST(DateTaken, ReadsTheBlockNeverThePicture) {
    test::TempDir dir;
    std::ifstream in(fixtures / "original.jpg", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    bytes.append(4 << 20, '\x55');
    dir.write("big.jpg", bytes);
    std::size_t read = 0;
    EXPECT_EQ(readDateTaken(dir.prefix() + "big.jpg", &read), (TakenTime{2025, 7, 14, 9, 30, 5}));
    EXPECT_GT(read, 0u);
    EXPECT_LE(read, 8192u);
}

struct PatternCase {
    const char* name;
    std::string pattern;
    std::string expected; // the name for 2025-07-04 09:03:05, or the error
};

const PatternCase patternCases[] = {
    {"camera style", "%Y%m%d_%H%M%S", "20250704_090305"},
    {"literal text around the codes", "旅行 %Y-%m-%d %H.%M.%S", "旅行 2025-07-04 09.03.05"},
    {"a percent sign written twice", "%Y%%%m", "2025%07"},
    {"a percent sign before a code letter stays literal", "%%Y", "%Y"},
    {"no code at all", "trip", "trip"},
    {"empty", "", "日期格式不能为空"},
    {"an unknown code", "照片%y",
     "日期格式第 3 个字符处有误：不认识 %y（可用 %Y %m %d %H %M %S %%）"},
    {"a percent sign at the end", "%Y%",
     "日期格式第 3 个字符处有误：% 后面缺少字母（可用 %Y %m %d %H %M %S %%）"},
    {"a slash", "%Y/%m", "日期格式第 3 个字符处有误：名称里不能有 /"},
};

class DatePatternTable : public ::testing::TestWithParam<PatternCase> {};

TEST_P(DatePatternTable, FormatsOrRefuses) {
    const PatternCase& c = GetParam();
    std::string result;
    try {
        result = DatePattern(c.pattern).format({2025, 7, 4, 9, 3, 5});
    } catch (const DatePatternError& error) {
        result = error.what();
    }
    EXPECT_EQ(result, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, DatePatternTable, ::testing::ValuesIn(patternCases),
                         [](const auto& info) { return testName(info.param.name); });

// Naming a real folder of tagged pictures.
class DateNamerFolder : public ::testing::Test {
protected:
    test::TempDir dir;
    RenameList list;
    const DatePattern pattern{"%Y%m%d_%H%M%S"};

    void copy(const std::string& fixture, const std::string& as) {
        fs::copy_file(fixtures / fixture, dir.path() / as);
    }
    void fill(const std::vector<std::string>& names) {
        std::vector<std::string> paths;
        for (const std::string& name : names)
            paths.push_back(dir.prefix() + name);
        list.fill(paths, posixPathRule);
    }
    std::map<int, std::string> named(const DateNames& result) {
        std::map<int, std::string> byRow;
        for (const NumberedName& entry : result.names)
            byRow[entry.row] = entry.name;
        return byRow;
    }
};

TEST_F(DateNamerFolder, SameSecondCountsOnInRowOrderAndFilesWithoutDateStay) {
    copy("pair-2.jpg", "b.jpg");
    copy("pair-1.jpg", "a.jpg");
    copy("original.jpg", "c.jpg");
    copy("no-exif.jpg", "d.jpg");
    copy("damaged-exif.jpg", "e.jpg");
    copy("pair-1.jpg", "f.JPG");
    fill({"b.jpg", "a.jpg", "c.jpg", "d.jpg", "e.jpg", "f.JPG"});
    DateNamer namer(list, posixFileSystem());
    const DateNames result = namer.names(pattern);
    EXPECT_EQ(named(result), (std::map<int, std::string>{{1, "20250714_101530"},
                                                         {2, "20250714_101530_2"},
                                                         {3, "20250714_093005"},
                                                         {6, "20250714_101530"}}));
    EXPECT_EQ(result.withoutDate, 2);
    EXPECT_EQ(dateNamedStatusText(result), "按拍摄日期命名 4 个文件, 2 个文件没有拍摄日期");
    // The first rows alone name as they do in the whole list.
    EXPECT_EQ(named(namer.names(pattern, 2)),
              (std::map<int, std::string>{{1, "20250714_101530"}, {2, "20250714_101530_2"}}));
}

TEST_F(DateNamerFolder, NamesAlreadyInTheFolderAreSkippedAndASecondImportContinues) {
    dir.write("20250714_101530.jpg", "first import");
    dir.write("20250714_101530_2.jpg", "first import");
    copy("pair-1.jpg", "new1.jpg");
    copy("pair-2.jpg", "new2.jpg");
    fill({"new1.jpg", "new2.jpg"});
    DateNamer namer(list, posixFileSystem());
    EXPECT_EQ(named(namer.names(pattern)),
              (std::map<int, std::string>{{1, "20250714_101530_3"}, {2, "20250714_101530_4"}}));
}

TEST_F(DateNamerFolder, NamingTwiceRunsCleanlyThenChangesNothing) {
    copy("pair-1.jpg", "x.jpg");
    copy("pair-2.jpg", "y.jpg");
    copy("original.jpg", "z.jpg");
    fill({"x.jpg", "y.jpg", "z.jpg"});
    for (int pass = 0; pass < 2; ++pass) {
        DateNamer namer(list, posixFileSystem());
        for (NumberedName& entry : namer.names(pattern).names)
            list.setCell(RenameList::NewName, entry.row, entry.name);
        RenameRun(list, posixFileSystem()).run();
        const std::string word = pass == 0 ? "成功" : "保持不变";
        for (int row = 1; row <= 3; ++row)
            EXPECT_EQ(list.getCell(RenameList::Result, row), word) << pass << row;
    }
    EXPECT_TRUE(fs::exists(dir.path() / "20250714_101530.jpg"));
    EXPECT_TRUE(fs::exists(dir.path() / "20250714_101530_2.jpg"));
    EXPECT_TRUE(fs::exists(dir.path() / "20250714_093005.jpg"));
}

// A file system that holds one name and answers as told: listed whole, where
// names differing in ASCII case alone name one file, or asked name by name.
class OneNameFileSystem : public RenameFileSystem {
public:
    OneNameFileSystem(bool listed, bool foldsCase) : listed_(listed), foldsCase_(foldsCase) {}
    bool renameNeedsWritable() const override { return false; }
    std::optional<FileAttributes> getAttributes(const std::string& path) override {
        asked.push_back(path);
        return path == "/cam/" + held ? std::optional(FileAttributes{}) : std::nullopt;
    }
    FsStatus setAttributes(const std::string&, const FileAttributes&) override {
        return FsStatus::Refused;
    }
    FsStatus renameNoReplace(const std::string&, const std::string&) override {
        return FsStatus::Refused;
    }
    DirectoryListing listDirectory(const std::string&) override {
        DirectoryListing listing;
        listing.listed = listed_;
        listing.foldsCase = foldsCase_;
        if (listed_)
            listing.names = {held, "a.jpg"};
        return listing;
    }
    std::string held = "20250102_030405.JPG";
    std::vector<std::string> asked;

private:
    bool listed_;
    bool foldsCase_;
};

struct HeldNameCase {
    const char* name;
    bool listed;
    bool foldsCase;
    std::string held;
    std::string expected;
};

const HeldNameCase heldNameCases[] = {
    {"a listing where case counts", true, false, "20250102_030405.JPG", "20250102_030405"},
    {"a listing where case does not count", true, true, "20250102_030405.JPG", "20250102_030405_2"},
    {"no listing, asked by name", false, false, "20250102_030405.jpg", "20250102_030405_2"},
};

class DateNamerHeldName : public ::testing::TestWithParam<HeldNameCase> {};

TEST_P(DateNamerHeldName, ANameTheFolderHoldsIsSkipped) {
    const HeldNameCase& c = GetParam();
    RenameList list;
    list.fill({"/cam/a.jpg"}, posixPathRule);
    OneNameFileSystem fileSystem(c.listed, c.foldsCase);
    fileSystem.held = c.held;
    DateNamer namer(list, fileSystem, [](const std::string&) {
        return std::optional<TakenTime>(TakenTime{2025, 1, 2, 3, 4, 5});
    });
    const DateNames result = namer.names(DatePattern("%Y%m%d_%H%M%S"));
    ASSERT_EQ(result.names.size(), 1u);
    EXPECT_EQ(result.names[0].name, c.expected);
    EXPECT_EQ(fileSystem.asked.empty(), c.listed);
}

INSTANTIATE_TEST_SUITE_P(Cases, DateNamerHeldName, ::testing::ValuesIn(heldNameCases),
                         [](const auto& info) { return testName(info.param.name); });

// A thousand files of one second, through a reader that needs no files.
TEST(DateNamer, ManyFilesOfOneSecondNumberOnwards) {
    RenameList list;
    std::vector<std::string> paths;
    for (int i = 0; i < 1000; ++i)
        paths.push_back("/nowhere/IMG_" + std::to_string(i) + ".jpg");
    list.fill(paths, posixPathRule);
    int reads = 0;
    DateNamer namer(list, posixFileSystem(), [&reads](const std::string&) {
        ++reads;
        return std::optional<TakenTime>(TakenTime{2025, 1, 2, 3, 4, 5});
    });
    DateNames result = namer.names(DatePattern("burst"));
    ASSERT_EQ(result.names.size(), 1000u);
    EXPECT_EQ(result.names[0].name, "burst");
    EXPECT_EQ(result.names[1].name, "burst_2");
    EXPECT_EQ(result.names[999].name, "burst_1000");
    namer.names(DatePattern("x%S"));
    EXPECT_EQ(reads, 1000); // read once, named twice
}

} // namespace
} // namespace quorbel
