// SPDX-License-Identifier: GPL-3.0-or-later
#include "clirunner.h"
#include "core/tempdir.h"
#include "mapping/workbookreader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace quorbel::test {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

const std::string fixtures = QUORBEL_FIXTURES;

std::string lines(const Names& records, char end = '\n') {
    std::string text;
    for (const std::string& record : records)
        text.append(record).append(1, end);
    return text;
}

// The printed rows: "row TAB old TAB new TAB word", one a line.
Names outputRows(const std::string& out, char end = '\n') {
    Names rows;
    size_t begin = 0;
    while (begin < out.size()) {
        const size_t stop = out.find(end, begin);
        rows.push_back(out.substr(begin, stop - begin));
        begin = stop == std::string::npos ? out.size() : stop + 1;
    }
    return rows;
}

struct NumberingCase {
    const char* name;
    Names options;
    Names expectedFiles;
};

class NumberingOptions : public ::testing::TestWithParam<NumberingCase> {};

TEST_P(NumberingOptions, RenamesAsTheDialogWould) {
    const NumberingCase& c = GetParam();
    TempDir dir;
    touchFiles(dir.path(), {"a.jpg", "b.jpg", "c.jpg", "d.png"});
    Names arguments = {"--number"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    for (const char* file : {"a.jpg", "b.jpg", "c.jpg", "d.png"})
        arguments.push_back(file);
    const CliResult result = runQuorbelCli(arguments, dir.path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(listDirectory(dir.path()), c.expectedFiles);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, NumberingOptions,
    ::testing::Values(NumberingCase{"Defaults", {}, {"B01.jpg", "B02.jpg", "B03.jpg", "B04.png"}},
                      NumberingCase{"PrefixStartStep",
                                    {"--prefix", "P", "--start", "007", "--step", "3"},
                                    {"P007.jpg", "P010.jpg", "P013.jpg", "P016.png"}},
                      NumberingCase{"TrimmedLikeTheDialog",
                                    {"--prefix", " A B ", "--start", " 9 "},
                                    {"A B10.jpg", "A B11.jpg", "A B12.png", "A B9.jpg"}},
                      NumberingCase{"BackwardRangeIsSwapped",
                                    {"--first", "3", "--last", "2"},
                                    {"B01.jpg", "B02.jpg", "a.jpg", "d.png"}},
                      NumberingCase{"RangeBeyondTheListIsCut",
                                    {"--first", "4", "--last", "99", "--start", "$A"},
                                    {"B10.png", "a.jpg", "b.jpg", "c.jpg"}},
                      NumberingCase{"ZerosGoBeforeTheSign",
                                    {"--start=-03", "--step", "+2"},
                                    {"B0-1.jpg", "B0-3.jpg", "B001.jpg", "B003.png"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cli, PrintsOneLinePerRowAndTheStatusText) {
    TempDir dir;
    touchFiles(dir.path(), {"a.jpg", "b.jpg", "B02.jpg"});
    const CliResult result =
        runQuorbelCli({"--number", "a.jpg", "sub/../b.jpg", "c.txt"}, dir.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(outputRows(result.out),
              (Names{"1\ta.jpg\tB01.jpg\t成功", "2\tsub/../b.jpg\tsub/../B02.jpg\t失败,文件不存在",
                     "3\tc.txt\tB03.txt\t失败,文件不存在"}));
    EXPECT_EQ(result.err, "成功替换 1 个文件\n");
}

// The directory import's rules: hidden files and folders stay out, names sort
// regardless of case, and the folder joins each name with one "/".
TEST(Cli, DirectoryScanFeedsTheListInItsOrder) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "plate" / "x.ab1");
    touchFiles(dir.path() / "plate", {"B.ab1", "a.AB1", "c.seq", ".hidden.ab1"});
    const CliResult result =
        runQuorbelCli({"--dir", "plate", "--type", "*.ab1", "--number"}, dir.path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(outputRows(result.out), (Names{"1\tplate/a.AB1\tplate/B01.AB1\t成功",
                                             "2\tplate/B.ab1\tplate/B02.ab1\t成功"}));
    EXPECT_EQ(listDirectory(dir.path() / "plate"),
              (Names{".hidden.ab1", "B01.AB1", "B02.ab1", "c.seq", "x.ab1"}));
}

TEST(Cli, ReportsATargetThatExistsAndRenamesTheRest) {
    TempDir dir;
    touchFiles(dir.path(), {"a.jpg", "b.jpg", "B02.jpg"});
    const CliResult result = runQuorbelCli({"--number", "a.jpg", "b.jpg"}, dir.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(outputRows(result.out),
              (Names{"1\ta.jpg\tB01.jpg\t成功", "2\tb.jpg\tB02.jpg\t失败,文件重复"}));
    EXPECT_EQ(listDirectory(dir.path()), (Names{"B01.jpg", "B02.jpg", "b.jpg"}));
}

TEST(Cli, QuietPrintsFailuresOnly) {
    TempDir dir;
    touchFiles(dir.path(), {"a.jpg", "b.jpg", "B02.jpg"});
    const CliResult result = runQuorbelCli({"-q", "--number", "a.jpg", "b.jpg"}, dir.path());
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "2\tb.jpg\tB02.jpg\t失败,文件重复\n");
    EXPECT_EQ(result.err, "");
}

struct MappingCase {
    const char* name;
    const char* workbook;
};

class MappingOptions : public ::testing::TestWithParam<MappingCase> {};

TEST_P(MappingOptions, RenamesFromTheSampleSheet) {
    TempDir dir;
    touchFiles(dir.path(), {"IMG_0001.jpg", "O'Neil.ab1", "样品.seq", "other.txt"});
    const CliResult result = runQuorbelCli({"--map", fixtures + "/mapping/" + GetParam().workbook,
                                            "--sheet", "名单", "--key", "文件名", "--value", "新名",
                                            "IMG_0001.jpg", "O'Neil.ab1", "样品.seq", "other.txt"},
                                           dir.path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(listDirectory(dir.path()),
              (Names{"B01.jpg", "oneil.ab1", "other.txt", "样品新.seq"}));
    EXPECT_EQ(result.err, "使用对应表对应 3 个文件\n成功替换 3 个文件\n");
    EXPECT_EQ(outputRows(result.out).back(), "4\tother.txt\t\t保持不变");
}

INSTANTIATE_TEST_SUITE_P(Cli, MappingOptions,
                         ::testing::Values(MappingCase{"Xls", "mapping.xls"},
                                           MappingCase{"Xlsx", "mapping.xlsx"},
                                           MappingCase{"Ods", "mapping.ods"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A workbook with matrix formulas (array formulas in the .xlsx), which once
// ended the program: the text results of the array become the new names.
TEST(Cli, MapsFromTheResultsOfAnArrayFormula) {
    TempDir dir;
    touchFiles(dir.path(), {"m1.ab1", "m2.ab1", "m3.ab1"});
    const CliResult result =
        runQuorbelCli({"--map", fixtures + "/mapping/producers/lo-excel.xlsx", "--sheet", "特性",
                       "--key", "原名", "--value", "矩阵文本", "m1.ab1", "m2.ab1", "m3.ab1"},
                      dir.path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(listDirectory(dir.path()), (Names{"m1-m.ab1", "m2-m.ab1", "m3-m.ab1"}));
}

TEST(Cli, MapsNumberColumnsByTheirValue) {
    TempDir dir;
    touchFiles(dir.path(), {"007.ab1", "12.ab1"});
    const CliResult result =
        runQuorbelCli({"--map", fixtures + "/mapping/mapping.xls", "--sheet", "名单", "--key",
                       "序号 列", "--value", "编号", "007.ab1", "12.ab1"},
                      dir.path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(listDirectory(dir.path()), (Names{"1.5.ab1", "1.ab1"}));
}

// Any byte but "/" and NUL is a file name byte; NUL-separated lists carry them all.
TEST(Cli, NamesFromStandardInputKeepEveryByte) {
    TempDir dir;
    const Names oldNames = {"line\nbreak.ab1", "tab\there.seq", "-dash.txt",
                            "\xff\xfe.bin",    "back\\slash",   " blank "};
    const Names newNames = {"new\nline", "new\ttab", "--opt", "\x01\x7f\x80", "\\", "  "};
    touchFiles(dir.path(), oldNames);
    std::ofstream(dir.path() / ".list", std::ios::binary) << lines(oldNames, '\0');
    const CliResult result = runQuorbelCli({"-0", "--files-from", ".list", "--names", "-"},
                                           dir.path(), lines(newNames, '\0'));
    EXPECT_EQ(result.status, 0) << result.err;
    Names expected = {
        "  ", ".list", "--opt.txt", "\\", "\x01\x7f\x80.bin", "new\nline.ab1", "new\ttab.seq"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(listDirectory(dir.path()), expected);
    const Names rows = outputRows(result.out, '\0');
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], "1\tline\nbreak.ab1\tnew\nline.ab1\t成功");
    EXPECT_EQ(rows[5], "6\t blank \t  \t成功");
}

TEST(Cli, NameLinesFromStandardInputAndFilesAsArguments) {
    TempDir dir;
    touchFiles(dir.path(), {"a.jpg", "b.jpg", "c.jpg"});
    // CR LF as a Windows editor saves it; an empty line leaves its file alone.
    const CliResult result =
        runQuorbelCli({"--names", "-", "a.jpg", "b.jpg", "c.jpg"}, dir.path(), "x\r\n\r\nz");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(listDirectory(dir.path()), (Names{"b.jpg", "x.jpg", "z.jpg"}));
}

TEST(Cli, FilesFromStandardInputSkipEmptyLines) {
    TempDir dir;
    touchFiles(dir.path(), {"a.jpg", "b.jpg"});
    const CliResult result = runQuorbelCli({"--files-from", "-", "--number", "--start", "1"},
                                           dir.path(), "a.jpg\n\nb.jpg\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(listDirectory(dir.path()), (Names{"B1.jpg", "B2.jpg"}));
}

// A list file is read through a small buffer, twice: paths straddle its reads,
// and the count of the first read must meet the paths of the second.
TEST(Cli, FilesFromAFileLongerThanItsReadBuffer) {
    TempDir dir;
    Names names;
    std::string list = "\xEF\xBB\xBF";
    for (int i = 0; i < 2000; ++i) {
        names.push_back("sample_" + std::string(40, 'x') + std::to_string(i) + ".ab1");
        list += (dir.path() / names.back()).string() + (i % 3 ? "\r\n" : "\n\n");
    }
    touchFiles(dir.path(), names);
    std::ofstream(dir.path() / "list.txt", std::ios::binary) << list;
    const CliResult result =
        runQuorbelCli({"--quiet", "--files-from", "list.txt", "--number", "--start", "1"},
                      dir.path());
    EXPECT_EQ(result.status, 0) << result.err;
    const Names after = listDirectory(dir.path());
    EXPECT_EQ(after.size(), 2001u);
    EXPECT_EQ(std::count_if(after.begin(), after.end(),
                            [](const std::string& name) { return name.starts_with("B"); }),
              2000);
}

TEST(Cli, HelpExplainsEveryOptionWithAnExample) {
    TempDir dir;
    const CliResult result = runQuorbelCli({"--help"}, dir.path(), {}, {{"LC_ALL", "C"}});
    EXPECT_EQ(result.status, 0);
    for (const char* option :
         {"--files-from", "--null",    "--dir",    "--type",        "--map",   "--sheet",
          "--key",        "--value",   "--number", "--prefix",      "--start", "--step",
          "--first",      "--last",    "--names",  "--check",       "--undo",  "--export",
          "--quiet",      "--replace", "--regex",  "--ignore-case", "--date"})
        EXPECT_NE(result.out.find(option), std::string::npos) << option;
    EXPECT_NE(result.out.find("Example"), std::string::npos);
}

// Duplicates, a swap, a chain in both orders, an existing target and a missing file.
TEST(Cli, CheckPredictsExactlyWhatTheRunDoes) {
    TempDir dir;
    touchFiles(dir.path(), {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg", "taken.jpg"});
    const Names files = {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg", "gone.jpg"};
    const std::string names = lines({"b", "a", "x", "x", "taken", "e", "y"});
    Names arguments = {"--names", "-"};
    arguments.insert(arguments.end(), files.begin(), files.end());
    Names check = arguments;
    check.insert(check.begin(), "--check");
    const CliResult predicted = runQuorbelCli(check, dir.path(), names);
    const Names before = listDirectory(dir.path());
    const CliResult ran = runQuorbelCli(arguments, dir.path(), names);
    EXPECT_EQ(before, (Names{"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg", "taken.jpg"}));
    EXPECT_EQ(predicted.out, ran.out);
    EXPECT_EQ(predicted.status, ran.status);
    EXPECT_EQ(ran.status, 1);
    EXPECT_NE(predicted.err.find("预检: "), std::string::npos) << predicted.err;
}

TEST(Cli, UndoRenamesTheLastRunBack) {
    TempDir dir;
    touchFiles(dir.path(), {"a.jpg", "b.jpg", "c.jpg"});
    ASSERT_EQ(runQuorbelCli({"--number", "a.jpg", "b.jpg"}, dir.path()).status, 0);
    // The old name of b is taken meanwhile: that one way back is blocked.
    touchFiles(dir.path(), {"b.jpg"});
    const CliResult undo = runQuorbelCli({"--undo"}, dir.path());
    EXPECT_EQ(undo.status, 1) << undo.err;
    const std::string real = std::filesystem::canonical(dir.path()).string() + "/";
    EXPECT_EQ(undo.out, real + "B02.jpg-->" + real + "b.jpg 原因:失败,文件重复\n");
    EXPECT_EQ(undo.err, "撤销 1 个文件\n");
    EXPECT_EQ(listDirectory(dir.path()), (Names{"B02.jpg", "a.jpg", "b.jpg", "c.jpg"}));
    // The run is undone as far as it could be; the next undo has nothing left.
    EXPECT_EQ(runQuorbelCli({"--undo"}, dir.path()).err, "quorbel-cli: 没有可以撤销的换名\n");
}

// Undo works on absolute paths: from another directory it moves the files the
// run moved, and never the same names where it is called.
TEST(Cli, UndoFromAnotherDirectoryMovesOnlyTheRunsFiles) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "d1");
    std::filesystem::create_directories(dir.path() / "d2");
    touchFiles(dir.path() / "d1", {"a.txt"});
    touchFiles(dir.path() / "d2", {"b.txt"});
    // Both working directories share one history.
    std::filesystem::create_directories(dir.path() / "d1" / ".state");
    std::filesystem::create_directory_symlink("../d1/.state", dir.path() / "d2" / ".state");
    ASSERT_EQ(runQuorbelCli({"--names", "-", "a.txt"}, dir.path() / "d1", "b\n").status, 0);
    ASSERT_EQ(runQuorbelCli({"--undo"}, dir.path() / "d2").status, 0);
    EXPECT_EQ(listDirectory(dir.path() / "d1"), (Names{"a.txt"}));
    EXPECT_EQ(listDirectory(dir.path() / "d2"), (Names{"b.txt"}));
}

// Each run that renames something is kept; undo walks back one run at a time,
// and a run that renames nothing leaves the history alone.
TEST(Cli, HistoryKeepsRunsAndUndoWalksBack) {
    TempDir dir;
    touchFiles(dir.path(), {"a.jpg", "taken.jpg"});
    ASSERT_EQ(runQuorbelCli({"--names", "-", "a.jpg"}, dir.path(), "b\n").status, 0);
    ASSERT_EQ(runQuorbelCli({"--names", "-", "b.jpg"}, dir.path(), "c\n").status, 0);
    ASSERT_EQ(runQuorbelCli({"--names", "-", "c.jpg"}, dir.path(), "taken\n").status, 1);
    const CliResult history = runQuorbelCli({"--history"}, dir.path());
    EXPECT_EQ(history.status, 0);
    EXPECT_EQ(std::count(history.out.begin(), history.out.end(), '\n'), 2) << history.out;
    EXPECT_TRUE(history.out.starts_with("2\t")) << history.out;
    EXPECT_NE(history.out.find("\t1 个文件\t已完成\n"), std::string::npos) << history.out;
    ASSERT_EQ(runQuorbelCli({"--undo"}, dir.path()).status, 0);
    EXPECT_EQ(listDirectory(dir.path()), (Names{"b.jpg", "taken.jpg"}));
    ASSERT_EQ(runQuorbelCli({"--undo"}, dir.path()).status, 0);
    EXPECT_EQ(listDirectory(dir.path()), (Names{"a.jpg", "taken.jpg"}));
    EXPECT_NE(runQuorbelCli({"--history"}, dir.path()).out.find("\t已撤销\n"), std::string::npos);
}

// The real program killed with SIGKILL in the middle of a long run, with a
// decoy every 97th row (its file is missing and its new name belongs to another
// file): undo brings every file back and moves no decoy.
TEST(Cli, RunKilledMidwayIsUndoneWithoutTouchingDecoys) {
    constexpr int files = 20000;
    TempDir dir;
    std::string list;
    std::string names;
    for (int i = 0; i < files; ++i) {
        const std::string index = std::to_string(i);
        if (i % 97 == 0)
            std::ofstream(dir.path() / ("g" + index + ".t")) << "decoy " << index;
        else
            std::ofstream(dir.path() / ("f" + index + ".t")) << index;
        list += "f" + index + ".t\n";
        names += "g" + index + "\n";
    }
    std::ofstream(dir.path() / "list.txt") << list;
    const Names before = listDirectory(dir.path());
    const fs::path halfway = dir.path() / ("g" + std::to_string(files / 3) + ".t");
    ASSERT_TRUE(killQuorbelCliWhen({"--files-from", "list.txt", "--names", "-"}, dir.path(), names,
                                   [&] { return fs::exists(halfway); }));
    ASSERT_NE(listDirectory(dir.path()), before);
    EXPECT_NE(runQuorbelCli({"--history"}, dir.path()).out.find("\t被中断\n"),
              std::string::npos);
    const CliResult undo = runQuorbelCli({"--undo"}, dir.path());
    EXPECT_EQ(undo.status, 0) << undo.err;
    EXPECT_EQ(undo.out, "");
    EXPECT_EQ(listDirectory(dir.path()), before);
    for (int i = 0; i < files; i += 97) {
        std::ifstream decoy(dir.path() / ("g" + std::to_string(i) + ".t"));
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(decoy), {}),
                  "decoy " + std::to_string(i));
    }
}

// A tab, a line break or a backslash in a name would break the output's lines
// and columns: they are escaped as the journal escapes them, unless -0 asks
// for the bytes as they are.
TEST(Cli, OutputEscapesNamesUnlessNulSeparated) {
    TempDir dir;
    touchFiles(dir.path(), {"t\tab.t", "n\nl.t", "b\\s.t"});
    const CliResult lined =
        runQuorbelCli({"--names", "-", "t\tab.t", "n\nl.t", "b\\s.t"}, dir.path(), "x\ny\nz\n");
    EXPECT_EQ(lined.status, 0) << lined.err;
    EXPECT_EQ(lined.out, "1\tt\\x09ab.t\tx.t\t成功\n2\tn\\x0al.t\ty.t\t成功\n"
                         "3\tb\\x5cs.t\tz.t\t成功\n");
    touchFiles(dir.path(), {"p\tq.t"});
    std::ofstream(dir.path() / "names") << "r";
    const CliResult raw = runQuorbelCli({"-0", "--files-from", "-", "--names", "names"},
                                        dir.path(), std::string("p\tq.t\0", 6));
    EXPECT_EQ(raw.out, std::string("1\tp\tq.t\tr.t\t成功") + '\0') << raw.err;
}

struct NameInputCase {
    const char* name;
    std::string input;
    Names expected;
};

class NameInput : public ::testing::TestWithParam<NameInputCase> {};

// A byte-order mark before the first name and an empty last line are the
// habits of text editors, not parts of a name.
// Standard input is read once as a block, a names file twice through a small
// buffer; both read the same names.
TEST_P(NameInput, ReadsTheNamesAUserMeant) {
    const NameInputCase& c = GetParam();
    for (const bool fromFile : {false, true}) {
        TempDir dir;
        touchFiles(dir.path(), {"a.t", "b.t"});
        const std::filesystem::path names = dir.path().parent_path() /
                                            (dir.path().filename().string() + ".names");
        std::ofstream(names, std::ios::binary) << c.input;
        const CliResult result =
            runQuorbelCli({"--names", fromFile ? names.string() : "-", "a.t", "b.t"}, dir.path(),
                          fromFile ? "" : c.input);
        std::filesystem::remove(names);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(listDirectory(dir.path()), c.expected) << (fromFile ? "file" : "input");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, NameInput,
    ::testing::Values(NameInputCase{"ByteOrderMark", "\xEF\xBB\xBFx\ny\n", {"x.t", "y.t"}},
                      NameInputCase{"FinalEmptyLine", "x\ny\n\n", {"x.t", "y.t"}},
                      NameInputCase{"EmptyLineKeepsItsFile", "\ny\n", {"a.t", "y.t"}},
                      NameInputCase{"WindowsLineEnds", "\xEF\xBB\xBFx\r\ny\r\n\r\n", {"x.t", "y.t"}},
                      NameInputCase{"NoEndOnTheLastName", "x\ny", {"x.t", "y.t"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cli, DryRunIsTheCheck) {
    TempDir dir;
    touchFiles(dir.path(), {"a.t", "x.t"});
    for (const char* option : {"-n", "--dry-run", "--check"}) {
        const CliResult result = runQuorbelCli({option, "--names", "-", "a.t"}, dir.path(), "x\n");
        EXPECT_EQ(result.status, 1) << option;
        EXPECT_EQ(result.out, "1\ta.t\tx.t\t失败,文件重复\n") << option;
        EXPECT_EQ(listDirectory(dir.path()), (Names{"a.t", "x.t"})) << option;
    }
}

TEST(Cli, HelpListsEveryResultWord) {
    const std::string help = runQuorbelCli({"--help"}, fs::temp_directory_path()).out;
    for (const char* word : {"成功", "保持不变", "失败,文件重复", "失败,文件不存在", "失败,没有权限",
                             "失败,只读", "失败,名称无效", "失败,磁盘已满", "失败,同一文件的硬链接",
                             "失败,无法改名", "已撤销", "失败,不是换名的文件"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
    EXPECT_NE(help.find("\\xHH"), std::string::npos);
    EXPECT_NE(help.find("--history"), std::string::npos);
}

// While another run or undo holds the history, neither starts: status 2, the
// message, and no file touched.
TEST(Cli, BusyHistoryStopsRunAndUndo) {
    TempDir dir;
    touchFiles(dir.path(), {"a.t"});
    fs::create_directories(dir.path() / ".state" / "quorbel");
    const int fd = ::open((dir.path() / ".state/quorbel/lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    for (const Names& arguments : {Names{"--names", "-", "a.t"}, Names{"--undo"}}) {
        const CliResult result = runQuorbelCli(arguments, dir.path(), "x\n");
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, "quorbel-cli: 另一个换名或撤销正在进行\n");
    }
    ::close(fd);
    EXPECT_EQ(listDirectory(dir.path()), (Names{"a.t"}));
}

class ExportOption : public ::testing::TestWithParam<const char*> {};

// The list as it stands after the run: each renamed row names its file anew
// and carries its result word.
TEST_P(ExportOption, WritesTheListAfterTheRun) {
    TempDir dir;
    touchFiles(dir.path(), {"a.jpg", "b.jpg", "B02.jpg"});
    const std::string workbook = std::string("list.") + GetParam();
    const CliResult run =
        runQuorbelCli({"--export", workbook, "--number", "a.jpg", "b.jpg"}, dir.path());
    EXPECT_EQ(run.status, 1) << run.err;
    const std::unique_ptr<WorkbookReader> reader = openWorkbook((dir.path() / workbook).string());
    const MappingTable table = reader->readSheet(reader->sheetNames().front());
    const int oldName = table.columnIndex("原名称");
    const int result = table.columnIndex("处理结果");
    ASSERT_EQ(table.rowCount(), 2u);
    EXPECT_EQ(table.cell(0, oldName).text, "B01");
    EXPECT_EQ(table.cell(0, result).text, "成功");
    EXPECT_EQ(table.cell(1, oldName).text, "b");
    EXPECT_EQ(table.cell(1, result).text, "失败,文件重复");
}

INSTANTIATE_TEST_SUITE_P(Cli, ExportOption, ::testing::Values("xls", "xlsx"));

struct RefusedExportCase {
    const char* name;
    std::string target;
    Names more; // files, or folders ending in "/", besides the listed file
    std::string file;
};

class RefusedExport : public ::testing::TestWithParam<RefusedExportCase> {};

// An export that could not be written is known before the run: status 2, one
// message naming the target, nothing renamed, no file written or replaced.
TEST_P(RefusedExport, RenamesNothing) {
    const RefusedExportCase& c = GetParam();
    TempDir dir;
    touchFiles(dir.path(), {c.file});
    for (const std::string& more : c.more) {
        if (more.ends_with("/"))
            std::filesystem::create_directories(dir.path() / more);
        else
            touchFiles(dir.path(), {more});
    }
    const Names before = listDirectory(dir.path());
    const CliResult result =
        runQuorbelCli({"--export", c.target, "--names", "-", c.file}, dir.path(), "b\n");
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find(c.target), std::string::npos) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_EQ(listDirectory(dir.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, RefusedExport,
    ::testing::Values(
        RefusedExportCase{"MissingFolder", "missing/list.xlsx", {}, "a.jpg"},
        RefusedExportCase{"TargetIsAFolder", "out.xls", {"out.xls/"}, "a.jpg"},
        RefusedExportCase{"TargetIsTheNewName", "b.xls", {}, "data.xls"},
        RefusedExportCase{"TargetIsTheOldName", "data.xls", {}, "data.xls"},
        RefusedExportCase{"OldNameSpelledAnotherWay", "./sub/../data.xls", {"sub/"}, "data.xls"}),
    [](const auto& info) { return std::string(info.param.name); });

// Rows where nothing matches are left alone; a name that is not UTF-8 keeps
// its bad byte; case is ignored in every script.
TEST(Cli, ReplaceRenamesWhatMatchesAndLeavesTheRest) {
    TempDir dir;
    touchFiles(dir.path(),
               {"IMG_0001.jpg", "img_0002.jpg", "DSC_3.jpg", "IMG_\xff.jpg", "ΣΟΦΊΑ_4.txt"});
    const CliResult result =
        runQuorbelCli({"--replace", "(?:img|σοφία)_(\\w+)", "trip_$1", "--regex", "--ignore-case",
                       "IMG_0001.jpg", "img_0002.jpg", "DSC_3.jpg", "IMG_\xff.jpg", "ΣΟΦΊΑ_4.txt"},
                      dir.path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(listDirectory(dir.path()),
              (Names{"DSC_3.jpg", "IMG_\xff.jpg", "trip_0001.jpg", "trip_0002.jpg", "trip_4.txt"}));
    EXPECT_EQ(result.err, "查找替换 3 个文件\n成功替换 3 个文件\n");
    const CliResult plain =
        runQuorbelCli({"--replace", "IMG_", "x", "IMG_\xff.jpg", "DSC_3.jpg"}, dir.path());
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(listDirectory(dir.path()),
              (Names{"DSC_3.jpg", "trip_0001.jpg", "trip_0002.jpg", "trip_4.txt", "x\xff.jpg"}));
}

// Check first, run with an export, undo: replace goes through them unchanged.
TEST(Cli, ReplaceWithCheckExportAndUndo) {
    TempDir dir;
    touchFiles(dir.path(), {"IMG_0001.jpg", "IMG_0002.jpg", "trip_0002.jpg"});
    const Names rule = {"--replace", "IMG", "trip", "IMG_0001.jpg", "IMG_0002.jpg"};
    Names check = rule;
    check.insert(check.begin(), "--check");
    const CliResult predicted = runQuorbelCli(check, dir.path());
    EXPECT_EQ(listDirectory(dir.path()), (Names{"IMG_0001.jpg", "IMG_0002.jpg", "trip_0002.jpg"}));
    Names run = rule;
    run.insert(run.begin(), {"--export", "list.xlsx"});
    const CliResult ran = runQuorbelCli(run, dir.path());
    EXPECT_EQ(predicted.out, ran.out);
    EXPECT_EQ(ran.status, 1);
    EXPECT_EQ(outputRows(ran.out), (Names{"1\tIMG_0001.jpg\ttrip_0001.jpg\t成功",
                                          "2\tIMG_0002.jpg\ttrip_0002.jpg\t失败,文件重复"}));
    const std::unique_ptr<WorkbookReader> reader =
        openWorkbook((dir.path() / "list.xlsx").string());
    const MappingTable table = reader->readSheet(reader->sheetNames().front());
    EXPECT_EQ(table.cell(0, table.columnIndex("原名称")).text, "trip_0001");
    const CliResult undo = runQuorbelCli({"--undo"}, dir.path());
    EXPECT_EQ(undo.status, 0) << undo.err;
    EXPECT_EQ(listDirectory(dir.path()),
              (Names{"IMG_0001.jpg", "IMG_0002.jpg", "list.xlsx", "trip_0002.jpg"}));
}

// A photo folder of a second import: a name of the first is already there,
// two shots share a second, two files have no date.
TEST(Cli, DateNamesAPhotoFolderAndASecondRunChangesNothing) {
    TempDir dir;
    const Names photos = {"pair-1.jpg",  "pair-2.jpg",       "original.jpg",
                          "no-exif.jpg", "damaged-exif.jpg", "digitized.jpg"};
    for (const std::string& photo : photos)
        std::filesystem::copy_file(fixtures + "/datenames/" + photo, dir.path() / photo);
    touchFiles(dir.path(), {"20250714_093005.jpg"});
    Names arguments = {"--date", "%Y%m%d_%H%M%S"};
    arguments.insert(arguments.end(), photos.begin(), photos.end());
    const CliResult result = runQuorbelCli(arguments, dir.path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(
        listDirectory(dir.path()),
        (Names{"20250714_093005.jpg", "20250714_093005_2.jpg", "20250714_101530.jpg",
               "20250714_101530_2.jpg", "20250714_110000.jpg", "damaged-exif.jpg", "no-exif.jpg"}));
    EXPECT_EQ(result.err, "按拍摄日期命名 4 个文件, 2 个文件没有拍摄日期\n成功替换 4 个文件\n");
    const Names named = listDirectory(dir.path());
    const CliResult undo = runQuorbelCli({"--undo"}, dir.path());
    EXPECT_EQ(undo.status, 0) << undo.err;
    Names restored = photos;
    restored.push_back("20250714_093005.jpg");
    std::sort(restored.begin(), restored.end());
    EXPECT_EQ(listDirectory(dir.path()), restored);
    EXPECT_EQ(runQuorbelCli(arguments, dir.path()).status, 0);
    EXPECT_EQ(listDirectory(dir.path()), named);
    const CliResult again =
        runQuorbelCli({"--dir", ".", "--type", "*.jpg", "--date", "%Y%m%d_%H%M%S"}, dir.path());
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.err, "按拍摄日期命名 4 个文件, 3 个文件没有拍摄日期\n成功替换 0 个文件\n");
    EXPECT_EQ(listDirectory(dir.path()), named);
}

struct BadInputCase {
    const char* name;
    Names arguments;
    std::string input;
    std::string message; // a part of the one-line message
};

class BadInput : public ::testing::TestWithParam<BadInputCase> {};

// Bad usage or bad input ends with status 2 and a message, before any file is touched.
TEST_P(BadInput, EndsWithStatusTwoAndTouchesNoFile) {
    const BadInputCase& c = GetParam();
    TempDir dir;
    touchFiles(dir.path(), {"IMG_0001.jpg", "b.jpg"});
    Names arguments;
    for (const std::string& argument : c.arguments)
        arguments.push_back(argument == "BOOK" ? fixtures + "/mapping/mapping.xls" : argument);
    // The messages as scripts see them with LC_ALL=C.
    const CliResult result = runQuorbelCli(arguments, dir.path(), c.input, {{"LC_ALL", "C.UTF-8"}});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    // One line, unless the parser adds its pointer to --help.
    if (result.err.find("--help") == std::string::npos) {
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_EQ(listDirectory(dir.path()), (Names{"IMG_0001.jpg", "b.jpg"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BadInput,
    ::testing::Values(
        BadInputCase{"NoFiles", {"--number"}, "", "no files to rename"},
        BadInputCase{"NoFilesInTheList", {"--number", "--files-from", "-"}, "\n\n", "no files"},
        BadInputCase{"NoNewNames", {"b.jpg"}, "", "no new names: give --map"},
        BadInputCase{"UnknownOption", {"--numbr", "b.jpg"}, "", "--numbr"},
        BadInputCase{"TwoSourcesOfNames", {"--number", "--names", "x", "b.jpg"}, "", "cannot be"},
        BadInputCase{"MapWithoutItsColumns", {"--map", "BOOK", "b.jpg"}, "", "needs --sheet"},
        BadInputCase{
            "MissingSheet",
            {"--map", "BOOK", "--sheet", "Sheet9", "--key", "文件名", "--value", "新名", "b.jpg"},
            "",
            "mapping.xls: no sheet \"Sheet9\" in the workbook (sheets: \"名单\", "
            "\"Sheet2\", \"空表\")"},
        BadInputCase{
            "MissingColumn",
            {"--map", "BOOK", "--sheet", "名单", "--key", "文件", "--value", "新名", "b.jpg"},
            "",
            "mapping.xls: no column \"文件\" in sheet \"名单\" (columns: \"文件名\", "
            "\"新名\", \"编号\", \"序号 列\", \"日期\")"},
        BadInputCase{
            "SameColumnTwice",
            {"--map", "BOOK", "--sheet", "名单", "--key", "新名", "--value", "新名", "b.jpg"},
            "",
            "two different columns"},
        BadInputCase{"NotAWorkbook",
                     {"--map", std::string(QUORBEL_FIXTURES) + "/mapping/not-a-workbook.xls",
                      "--sheet", "a", "--key", "b", "--value", "c", "b.jpg"},
                     "",
                     "not-a-workbook.xls: "},
        BadInputCase{
            "MissingWorkbook",
            {"--map", "nowhere.xls", "--sheet", "a", "--key", "b", "--value", "c", "b.jpg"},
            "",
            "nowhere.xls: "},
        BadInputCase{
            "StartNotAnInteger",
            {"--number", "--start", "1a", "b.jpg"},
            "",
            "The start number may hold digits only: \"1a\""},
        BadInputCase{"StepNotAnInteger", {"--number", "--step", "x", "b.jpg"}, "", "--step"},
        BadInputCase{"TooFewNames",
                     {"--names", "-", "b.jpg", "IMG_0001.jpg"},
                     "x\n",
                     "1 new name for 2 files"},
        BadInputCase{
            "TooManyNames", {"--names", "-", "b.jpg"}, "x\ny\n", "2 new names for 1 files"},
        BadInputCase{"MissingNameList", {"--names", "nowhere.txt", "b.jpg"}, "", "nowhere.txt"},
        BadInputCase{"StandardInputTwice",
                     {"--files-from", "-", "--names", "-"},
                     "b.jpg\n",
                     "cannot both read standard input"},
        BadInputCase{"UndoWithFiles", {"--undo", "b.jpg"}, "", "cannot be used"},
        BadInputCase{"ExportToAnotherFormat",
                     {"--export", "list.csv", "--number", "b.jpg"},
                     "",
                     "must end in .xls or .xlsx"},
        BadInputCase{"DirMissing",
                     {"--dir", "no-such-folder", "--type", "*.jpg", "--number"},
                     "",
                     "cannot open folder no-such-folder"},
        BadInputCase{"HistoryWithFiles", {"--history", "b.jpg"}, "", "cannot be used"},
        BadInputCase{"ExpressionNotClosed",
                     {"--replace", "IMG_(\\d+", "trip_$1", "--regex", "IMG_0001.jpg"},
                     "",
                     "quorbel-cli: --replace: The regular expression is wrong at the end: ) is missing\n"},
        BadInputCase{"ReplacementNamingAMissingGroup",
                     {"--replace", "IMG_(\\d+)", "trip_$2", "--regex", "IMG_0001.jpg"},
                     "",
                     "The replacement is wrong at character 6: there is no group 2"},
        BadInputCase{"EmptyFindText", {"--replace", "", "x", "b.jpg"}, "", "Find cannot be empty"},
        BadInputCase{"ReplaceWithoutReplacement", {"--replace", "IMG"}, "", "--replace"},
        BadInputCase{"RegexWithoutReplace", {"--regex", "--number", "b.jpg"}, "", "needs"},
        BadInputCase{"ReplaceAndDateTogether",
                     {"--replace", "a", "b", "--date", "%Y", "b.jpg"},
                     "",
                     "cannot be used with"},
        BadInputCase{"DatePatternWithASlash",
                     {"--date", "%Y/%m", "IMG_0001.jpg"},
                     "",
                     "quorbel-cli: --date: The date pattern is wrong at character 3: a name cannot hold /\n"},
        BadInputCase{"EmptyDatePattern",
                     {"--date", "", "b.jpg"},
                     "",
                     "The date pattern cannot be empty"},
        BadInputCase{"DirWithNothingMatching",
                     {"--dir", ".", "--type", "*.ab1", "--number"},
                     "",
                     "no files to rename"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorbel::test

namespace quorbel::test {
namespace {

struct LanguageCase {
    const char* name;
    Environment environment;
    bool chinese; // the words expected: Chinese, or English
};

struct Words {
    const char* taken;      // result word of a row whose new name is taken
    const char* renamed;    // result word of a renamed row
    const char* status;     // status text of a run that renamed one file
    const char* example;    // what --help calls its examples
    const char* version;    // what --help says of --version
    const char* notInteger; // part of the message for a bad --step
    const char* advice;     // what --help tells scripts to test
};

constexpr Words chineseWords{"失败,文件重复",  "成功",       "成功替换 1 个文件\n",         "示例",
                             "显示版本并退出", "必须是整数", "脚本应检查退出状态而不是文字"};
constexpr Words englishWords{"Failed: file exists",
                             "Renamed",
                             "Renamed 1 file\n",
                             "Example",
                             "Print the version and exit",
                             "must be an integer",
                             "scripts should test the exit status, not the words"};

class CliLanguage : public ::testing::TestWithParam<LanguageCase> {};

// The result words, the status line, the messages and the help follow the
// locale variables as gettext reads them.
TEST_P(CliLanguage, WordsStatusMessagesAndHelpFollowTheLocale) {
    const LanguageCase& c = GetParam();
    const Words& words = c.chinese ? chineseWords : englishWords;
    TempDir dir;
    touchFiles(dir.path(), {"a.jpg", "b.jpg", "taken.jpg"});
    const CliResult run =
        runQuorbelCli({"--names", "-", "a.jpg", "b.jpg"}, dir.path(), "taken\nc\n", c.environment);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(outputRows(run.out), (Names{std::string("1\ta.jpg\ttaken.jpg\t") + words.taken,
                                          std::string("2\tb.jpg\tc.jpg\t") + words.renamed}));
    EXPECT_EQ(run.err, words.status);

    const CliResult help = runQuorbelCli({"--help"}, dir.path(), {}, c.environment);
    EXPECT_NE(help.out.find(words.example), std::string::npos) << help.out;
    EXPECT_NE(help.out.find(words.version), std::string::npos) << help.out;
    // Both languages tell scripts how to get words that never change.
    EXPECT_NE(help.out.find(words.advice), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("LC_ALL=C"), std::string::npos) << help.out;

    const CliResult bad = runQuorbelCli({"--number", "--step", "x", "a.jpg"}, dir.path(), {},
                                        c.environment);
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find(words.notInteger), std::string::npos) << bad.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliLanguage,
    ::testing::Values(
        LanguageCase{"ChineseDesktop", {{"LANG", "zh_CN.UTF-8"}}, true},
        LanguageCase{"EnglishDesktop", {{"LANG", "en_US.UTF-8"}}, false},
        LanguageCase{"OtherDesktop", {{"LANG", "de_DE.UTF-8"}}, false},
        LanguageCase{"NoLocaleSet", {}, false},
        LanguageCase{"LcAllCBeatsEverything",
                     {{"LC_ALL", "C"}, {"LANG", "zh_CN.UTF-8"}, {"QUORBEL_LANG", "zh"}},
                     false},
        LanguageCase{"LcAllBeforeLcMessages",
                     {{"LC_ALL", "zh_TW.UTF-8"}, {"LC_MESSAGES", "en_US.UTF-8"}},
                     true},
        LanguageCase{"LcMessagesBeforeLang",
                     {{"LC_MESSAGES", "en_GB.UTF-8"}, {"LANG", "zh_CN.UTF-8"}},
                     false},
        LanguageCase{"EmptyLcAllIsUnset", {{"LC_ALL", ""}, {"LANG", "zh_CN.UTF-8"}}, true},
        LanguageCase{"QuorbelLangOverridesTheDesktop",
                     {{"LANG", "en_US.UTF-8"}, {"QUORBEL_LANG", "zh"}},
                     true},
        LanguageCase{"QuorbelLangEnglishOnAChineseDesktop",
                     {{"LANG", "zh_CN.UTF-8"}, {"QUORBEL_LANG", "en"}},
                     false}),
    [](const auto& info) { return std::string(info.param.name); });

struct UsageErrorCase {
    const char* name;
    Names arguments; // PLATES: the plate workbook
    const char* chinese;
    const char* english;
    bool fromParser; // then a second line points at --help
};

class UsageErrorLanguage : public ::testing::TestWithParam<UsageErrorCase> {};

// What the argument parser refuses is said in the language of the run, with
// the option at fault, as every other message is; the status stays 2.
TEST_P(UsageErrorLanguage, NamesTheOptionInTheLanguageOfTheRun) {
    const UsageErrorCase& c = GetParam();
    Names arguments;
    for (const std::string& argument : c.arguments)
        arguments.push_back(argument == "PLATES" ? fixtures + "/mapping/plates/lo-plates.xlsx"
                                                 : argument);
    struct Run {
        Environment environment;
        std::string line;
        const char* help;
    };
    for (const Run& run :
         {Run{{{"LANG", "zh_CN.UTF-8"}}, c.chinese, "运行 quorbel-cli --help 查看选项。\n"},
          Run{{{"LC_ALL", "C"}, {"LANG", "zh_CN.UTF-8"}},
              c.english,
              "Run quorbel-cli --help for the options.\n"}}) {
        TempDir dir;
        touchFiles(dir.path(), {"a.jpg"});
        const CliResult result = runQuorbelCli(arguments, dir.path(), {}, run.environment);
        EXPECT_EQ(result.status, 2) << run.line;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "quorbel-cli: " + run.line + "\n" + (c.fromParser ? run.help : ""));
        EXPECT_EQ(listDirectory(dir.path()), Names{"a.jpg"});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, UsageErrorLanguage,
    ::testing::Values(
        UsageErrorCase{"UnknownOption",
                       {"--numbr", "a.jpg"},
                       "未知的选项: --numbr",
                       "unknown option: --numbr",
                       true},
        UsageErrorCase{"UnknownOptions",
                       {"--numbr", "-0x", "a.jpg"},
                       "未知的选项: --numbr -x",
                       "unknown options: --numbr -x",
                       true},
        UsageErrorCase{"ValueMissingAtTheEnd",
                       {"a.jpg", "--map"},
                       "--map 后面必须跟 WORKBOOK",
                       "--map must be followed by WORKBOOK",
                       true},
        UsageErrorCase{"EmptyValueAfterEquals",
                       {"a.jpg", "--sheet="},
                       "--sheet 后面必须跟 NAME",
                       "--sheet must be followed by NAME",
                       true},
        UsageErrorCase{"ReplaceWithOneValue",
                       {"--replace", "IMG", "--regex", "a.jpg"},
                       "--replace 后面必须跟 FIND REPLACEMENT",
                       "--replace must be followed by FIND REPLACEMENT",
                       true},
        UsageErrorCase{"OptionGivenTwice",
                       {"--names", "x", "--names", "y", "a.jpg"},
                       "--names 只能给出一次",
                       "--names may be given only once",
                       true},
        UsageErrorCase{"FlagWithAValueItCannotRead",
                       {"--quiet=maybe", "--number", "a.jpg"},
                       "--quiet 不接受“maybe”",
                       "--quiet does not take \"maybe\"",
                       true},
        UsageErrorCase{"EveryMissingCompanionNamed",
                       {"--map", "PLATES", "--sheet", "96孔", "a.jpg"},
                       "--map 需要 --key --value",
                       "--map needs --key --value",
                       true},
        UsageErrorCase{
            "NeedsItsPartner", {"--dir", "."}, "--dir 需要 --type", "--dir needs --type", true},
        UsageErrorCase{"TwoSourcesOfNames",
                       {"--number", "--names", "x", "a.jpg"},
                       "--number 不能与 --names 一起使用",
                       "--number cannot be used with --names",
                       true},
        UsageErrorCase{"UndoWithFiles",
                       {"--undo", "a.jpg"},
                       "--undo 不能与 文件参数 一起使用",
                       "--undo cannot be used with files",
                       true},
        UsageErrorCase{"SheetWithoutWorkbook",
                       {"--sheet", "96孔", "--number", "a.jpg"},
                       "--sheet 需要 --map 或 --plate",
                       "--sheet needs --map or --plate",
                       false},
        UsageErrorCase{"BlockNotAnInteger",
                       {"--plate", "PLATES", "--sheet", "96孔", "--block", "two", "a.jpg"},
                       "--block 必须是整数,而不是“two”",
                       "--block must be an integer, not \"two\"",
                       false}),
    [](const auto& info) { return std::string(info.param.name); });

// The journal holds no words, so a run made in Chinese is undone in English
// and the other way round.
TEST(Cli, ARunIsUndoneInTheOtherLanguage) {
    const Environment chinese{{"LANG", "zh_CN.UTF-8"}};
    const Environment english{{"LC_ALL", "C"}};
    TempDir dir;
    touchFiles(dir.path(), {"a.jpg", "b.jpg"});
    ASSERT_EQ(runQuorbelCli({"--number", "a.jpg", "b.jpg"}, dir.path(), {}, chinese).status, 0);
    touchFiles(dir.path(), {"b.jpg"});
    const CliResult undo = runQuorbelCli({"--undo"}, dir.path(), {}, english);
    EXPECT_EQ(undo.status, 1);
    const std::string real = std::filesystem::canonical(dir.path()).string() + "/";
    EXPECT_EQ(undo.out, real + "B02.jpg-->" + real + "b.jpg reason: Failed: file exists\n");
    EXPECT_EQ(undo.err, "Renamed 1 file back\n");
    std::filesystem::remove(dir.path() / "b.jpg");
    ASSERT_EQ(runQuorbelCli({"--number", "B02.jpg"}, dir.path(), {}, english).status, 0);
    const CliResult back = runQuorbelCli({"--undo"}, dir.path(), {}, chinese);
    EXPECT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(back.err, "撤销 1 个文件\n");
    EXPECT_EQ(listDirectory(dir.path()), (Names{"B02.jpg", "a.jpg"}));
}

} // namespace
} // namespace quorbel::test
