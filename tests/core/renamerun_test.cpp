// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posixfilesystem.h"
#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

struct FileSpec {
    std::string name; // a trailing "/" makes a directory
    std::string content;
    std::optional<fs::perms> mode{};
};

struct RowSpec {
    std::string oldName;
    std::string newName;
    std::string extension;
    bool inTempDir = true; // false leaves the directory column empty
};

struct RunCase {
    const char* name;
    std::vector<FileSpec> before;
    std::vector<RowSpec> rows;
    std::vector<std::string> words; // column 6 after the last run
    int renamed = 0;                // the last run's counter
    std::string failures;           // "{d}" stands for the directory with its "/"
    std::vector<FileSpec> after;    // the whole directory afterwards
    int runs = 1;
    std::function<void(const TempDir&)> betweenRuns{};
};

std::string expand(const std::string& text, const std::string& directory) {
    std::string out;
    size_t from = 0;
    for (auto at = text.find("{d}"); at != std::string::npos; at = text.find("{d}", from)) {
        out.append(text, from, at - from).append(directory);
        from = at + 3;
    }
    return out.append(text, from, std::string::npos);
}

void create(const TempDir& dir, const FileSpec& file) {
    if (file.name.ends_with('/'))
        fs::create_directory(dir.path() / file.name);
    else
        dir.write(file.name, file.content);
    if (file.mode)
        fs::permissions(dir.path() / file.name, *file.mode);
}

std::map<std::string, std::string> listing(const TempDir& dir) {
    std::map<std::string, std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        const std::string name = entry.path().filename().string();
        if (entry.is_directory())
            names[name + "/"] = "";
        else
            names[name] = dir.read(name);
    }
    return names;
}

void loadRows(RenameList& list, const std::vector<RowSpec>& rows, const TempDir& dir) {
    list.setRowCount(static_cast<int>(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        list.setCell(RenameList::OldName, row, rows[i].oldName);
        list.setCell(RenameList::NewName, row, rows[i].newName);
        list.setCell(RenameList::Extension, row, rows[i].extension);
        list.setCell(RenameList::Directory, row, rows[i].inTempDir ? dir.prefix() : "");
    }
}

class RenameRunOnDisk : public ::testing::TestWithParam<RunCase> {};

TEST_P(RenameRunOnDisk, RenamesReportsAndLeavesTheDirectoryAsExpected) {
    const RunCase& c = GetParam();
    TempDir dir;
    for (const FileSpec& file : c.before)
        create(dir, file);
    RenameList list;
    loadRows(list, c.rows, dir);

    RenameRunSummary summary;
    for (int run = 0; run < c.runs; ++run) {
        if (run > 0 && c.betweenRuns)
            c.betweenRuns(dir);
        summary = RenameRun(list, posixFileSystem()).run();
    }

    ASSERT_EQ(list.RowCount(), static_cast<int>(c.words.size()) + 1);
    for (size_t i = 0; i < c.words.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        EXPECT_EQ(list.getCell(RenameList::Result, row), c.words[i]) << "row " << row;
        const bool renamedEver = list.getCell(RenameList::OldName, row) != c.rows[i].oldName;
        EXPECT_EQ(list.getCell(RenameList::OldName, row),
                  renamedEver ? c.rows[i].newName : c.rows[i].oldName);
        EXPECT_EQ(list.getCell(RenameList::NewName, row), c.rows[i].newName);
    }
    EXPECT_EQ(summary.renamed, c.renamed);
    EXPECT_EQ(summary.failures, expand(c.failures, dir.prefix()));

    std::map<std::string, std::string> expected;
    for (const FileSpec& file : c.after)
        expected[file.name] = file.content;
    EXPECT_EQ(listing(dir), expected);
    for (const FileSpec& file : c.after) {
        if (file.mode) {
            EXPECT_EQ(fs::status(dir.path() / file.name).permissions(), *file.mode) << file.name;
        }
    }
}

constexpr auto rw =
    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read;
constexpr auto ro = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;

const std::string longName(300, 'n');

INSTANTIATE_TEST_SUITE_P(
    Cases, RenameRunOnDisk,
    ::testing::Values(
        RunCase{"StartStateEmptyRow", {}, {{"", "", "", false}}, {"保持不变"}, 0, "", {}},
        RunCase{"StartRowAfterNumbering",
                {},
                {{"", "B01", "", false}},
                {"失败,文件不存在"},
                0,
                "-->B01 原因:失败,文件不存在\r\n",
                {}},
        RunCase{"NoFileRows", {{"a.jpg", "a"}}, {}, {}, 0, "", {{"a.jpg", "a"}}},
        RunCase{"UnchangedAndEmptyNames",
                {{"a.jpg", "a"}},
                {{"a", "a", ".jpg"}, {"a", "", ".jpg"}, {"gone", "", ".jpg"}},
                {"保持不变", "保持不变", "保持不变"},
                0,
                "",
                {{"a.jpg", "a"}}},
        RunCase{"DuplicatesUpperRowWins",
                {{"a.jpg", "a"}, {"b.jpg", "b"}},
                {{"a", "x", ".jpg"}, {"b", "x", ".jpg"}},
                {"成功", "失败,文件重复"},
                1,
                "{d}b.jpg-->{d}x.jpg 原因:失败,文件重复\r\n",
                {{"b.jpg", "b"}, {"x.jpg", "a"}}},
        RunCase{"SwapFailsOnBothRows",
                {{"a.jpg", "a"}, {"b.jpg", "b"}},
                {{"a", "b", ".jpg"}, {"b", "a", ".jpg"}},
                {"失败,文件重复", "失败,文件重复"},
                0,
                "{d}a.jpg-->{d}b.jpg 原因:失败,文件重复\r\n"
                "{d}b.jpg-->{d}a.jpg 原因:失败,文件重复\r\n",
                {{"a.jpg", "a"}, {"b.jpg", "b"}}},
        RunCase{"ChainBlockedTopDown",
                {{"a.jpg", "a"}, {"b.jpg", "b"}},
                {{"a", "b", ".jpg"}, {"b", "c", ".jpg"}},
                {"失败,文件重复", "成功"},
                1,
                "{d}a.jpg-->{d}b.jpg 原因:失败,文件重复\r\n",
                {{"a.jpg", "a"}, {"c.jpg", "b"}}},
        RunCase{"ChainInWorkingOrder",
                {{"a.jpg", "a"}, {"b.jpg", "b"}},
                {{"b", "c", ".jpg"}, {"a", "b", ".jpg"}},
                {"成功", "成功"},
                2,
                "",
                {{"b.jpg", "a"}, {"c.jpg", "b"}}},
        RunCase{"MissingSource",
                {},
                {{"gone", "x", ".jpg"}},
                {"失败,文件不存在"},
                0,
                "{d}gone.jpg-->{d}x.jpg 原因:失败,文件不存在\r\n",
                {}},
        RunCase{"ExistingTargetUntouched",
                {{"a.jpg", "a", rw}, {"x.jpg", "keep", ro}},
                {{"a", "x", ".jpg"}},
                {"失败,文件重复"},
                0,
                "{d}a.jpg-->{d}x.jpg 原因:失败,文件重复\r\n",
                {{"a.jpg", "a", rw}, {"x.jpg", "keep", ro}}},
        RunCase{"NamesLeavingTheDirectory",
                {{"a.jpg", "a"}, {"sub/", ""}, {"b", "b"}},
                {{"a", "sub/a", ".jpg"},
                 {"a", std::string("a\0b", 3), ".jpg"},
                 {"b", "..", ""},
                 {"b", ".", ""}},
                {"失败,名称无效", "失败,名称无效", "失败,名称无效", "失败,名称无效"},
                0,
                std::string("{d}a.jpg-->{d}sub/a.jpg 原因:失败,名称无效\r\n") + "{d}a.jpg-->{d}a" +
                    std::string(1, '\0') + "b.jpg 原因:失败,名称无效\r\n" +
                    "{d}b-->{d}.. 原因:失败,名称无效\r\n"
                    "{d}b-->{d}. 原因:失败,名称无效\r\n",
                {{"a.jpg", "a"}, {"sub/", ""}, {"b", "b"}}},
        RunCase{"NameTooLongForTheFileSystem",
                {{"a.jpg", "a"}},
                {{"a", longName, ".jpg"}},
                {"失败,名称无效"},
                0,
                "{d}a.jpg-->{d}" + longName + ".jpg 原因:失败,名称无效\r\n",
                {{"a.jpg", "a"}}},
        RunCase{"NameOfBlanksIsAttempted",
                {{"a.jpg", "a"}},
                {{"a", "   ", ".jpg"}},
                {"成功"},
                1,
                "",
                {{"   .jpg", "a"}}},
        RunCase{"CaseOnlyChange",
                {{"a.jpg", "a"}},
                {{"a", "A", ".jpg"}},
                {"成功"},
                1,
                "",
                {{"A.jpg", "a"}}},
        RunCase{"ReadOnlySourceKeepsItsMode",
                {{"a.jpg", "a", ro}, {"b.jpg", "b", ro}, {"c.jpg", "c", rw}},
                {{"a", "x", ".jpg"}, {"b", "c", ".jpg"}},
                {"成功", "失败,文件重复"},
                1,
                "{d}b.jpg-->{d}c.jpg 原因:失败,文件重复\r\n",
                {{"x.jpg", "a", ro}, {"b.jpg", "b", ro}, {"c.jpg", "c", rw}}},
        RunCase{"SecondRunRetriesOnlyFailedRows",
                {{"a.jpg", "a"}, {"c.jpg", "c"}, {"d.jpg", "d"}},
                {{"a", "b", ".jpg"}, {"c", "d", ".jpg"}},
                {"保持不变", "失败,文件重复"},
                0,
                "{d}c.jpg-->{d}d.jpg 原因:失败,文件重复\r\n",
                {{"b.jpg", "a"}, {"c.jpg", "c"}, {"d.jpg", "d"}},
                2},
        RunCase{"SecondRunSucceedsOnceTheTargetIsGone",
                {{"a.jpg", "a"}, {"c.jpg", "c"}, {"d.jpg", "d"}},
                {{"a", "b", ".jpg"}, {"c", "d", ".jpg"}},
                {"保持不变", "成功"},
                1,
                "",
                {{"b.jpg", "a"}, {"d.jpg", "c"}},
                2,
                [](const TempDir& dir) { fs::remove(dir.path() / "d.jpg"); }}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return std::string(info.param.name); });

TEST(RenameRunTexts, StatusTextCarriesTheCountWithoutGrouping) {
    EXPECT_EQ(renamedStatusText(0), "成功替换 0 个文件");
    EXPECT_EQ(renamedStatusText(12), "成功替换 12 个文件");
    EXPECT_EQ(renamedStatusText(123456), "成功替换 123456 个文件");
}

TEST(RenameRunTexts, FailureLineHasOneBlankBeforeTheReasonAndEndsInCrLf) {
    EXPECT_EQ(failureLine("D:\\pics\\a.jpg", "D:\\pics\\B01.jpg", "失败,文件重复"),
              "D:\\pics\\a.jpg-->D:\\pics\\B01.jpg 原因:失败,文件重复\r\n");
}

} // namespace
} // namespace quorbel
