// SPDX-License-Identifier: GPL-3.0-or-later
// quorbel-cli --plate, run for real on temporary directories with the plate
// workbooks LibreOffice Calc saved.
#include "clirunner.h"
#include "core/tempdir.h"
#include "mapping/workbookmessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quorbel::test {
namespace {

using Names = std::vector<std::string>;

std::string plates(const std::string& file) {
    return std::string(QUORBEL_FIXTURES) + "/mapping/plates/" + file;
}

class PlateOption : public ::testing::TestWithParam<const char*> {};

TEST_P(PlateOption, RenamesTracesByTheirWells) {
    TempDir dir;
    const Names files{"A01.ab1", "run5_C12_16.ab1", "b2.ab1",    "H12.ab1",
                      "M5.ab1",  "A01_B01.ab1",     "notes.txt", "plate-d007.seq"};
    touchFiles(dir.path(), files);
    Names arguments{"--plate", plates(GetParam()), "--sheet", "96孔"};
    arguments.insert(arguments.end(), files.begin(), files.end());
    const CliResult result = runQuorbelCli(arguments, dir.path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(listDirectory(dir.path()), (Names{"1.5.seq", "A01_B01.ab1", "H12.ab1", "M5.ab1",
                                                "S01.ab1", "S36.ab1", "notes.txt", "样品-B2.ab1"}));
    EXPECT_EQ(result.err, "使用对应表对应 4 个文件\n成功替换 4 个文件\n");
    EXPECT_NE(result.out.find("4\tH12.ab1\t\t保持不变\n"), std::string::npos) << result.out;
}

INSTANTIATE_TEST_SUITE_P(Cli, PlateOption,
                         ::testing::Values("lo-plates.xlsx", "lo-plates.xls", "lo-plates.ods"));

TEST(PlateOption, SeveralBlocksTakeTheFirstAndSaySo) {
    TempDir first;
    touchFiles(first.path(), {"A01.ab1", "h12.ab1"});
    const CliResult one = runQuorbelCli(
        {"--plate", plates("lo-plates.xlsx"), "--sheet", "两板", "A01.ab1", "h12.ab1"},
        first.path());
    EXPECT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.err, "quorbel-cli: 工作表“两板”中有 2 块板;使用位于 A2 的第 1 块(用 --block "
                       "选择其他块)\n"
                       "使用对应表对应 2 个文件\n成功替换 2 个文件\n");
    EXPECT_EQ(listDirectory(first.path()), (Names{"X1.ab1", "X96.ab1"}));

    TempDir second;
    touchFiles(second.path(), {"A01.ab1", "h12.ab1"});
    const CliResult two = runQuorbelCli({"--plate", plates("lo-plates.xlsx"), "--sheet", "两板",
                                         "--block", "2", "A01.ab1", "h12.ab1"},
                                        second.path());
    EXPECT_EQ(two.status, 0) << two.err;
    EXPECT_EQ(two.err, "使用对应表对应 2 个文件\n成功替换 2 个文件\n");
    EXPECT_EQ(listDirectory(second.path()), (Names{"Y1.ab1", "Y96.ab1"}));
}

TEST(PlateOption, HelpExplainsItWithAnExample) {
    TempDir dir;
    const CliResult result = runQuorbelCli({"--help"}, dir.path(), {}, {{"LC_ALL", "C"}});
    EXPECT_EQ(result.status, 0);
    for (const char* text : {"--plate WORKBOOK", "--block N", "Example: --block 2",
                             "quorbel-cli --plate layout.xlsx --sheet 板图 run42/*.ab1"})
        EXPECT_NE(result.out.find(text), std::string::npos) << text;
}

struct BadPlateCase {
    const char* name;
    Names arguments; // BOOK: lo-plates.xlsx
    std::string message;
};

class BadPlateInput : public ::testing::TestWithParam<BadPlateCase> {};

// One line on standard error, status 2, and every file as it was.
TEST_P(BadPlateInput, EndsWithStatusTwoInOneLine) {
    const BadPlateCase& c = GetParam();
    TempDir dir;
    touchFiles(dir.path(), {"A01.ab1", "B01.ab1"});
    Names arguments;
    for (const std::string& argument : c.arguments)
        arguments.push_back(argument == "BOOK" ? plates("lo-plates.xlsx") : argument);
    arguments.insert(arguments.end(), {"A01.ab1", "B01.ab1"});
    const CliResult result = runQuorbelCli(arguments, dir.path());
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    // The argument parser's own messages add a line pointing at --help.
    if (std::string(c.name).rfind("Usage", 0) != 0) {
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_EQ(listDirectory(dir.path()), (Names{"A01.ab1", "B01.ab1"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BadPlateInput,
    ::testing::Values(
        BadPlateCase{"UnknownSheet",
                     {"--plate", "BOOK", "--sheet", "板9"},
                     "lo-plates.xlsx: 工作簿中没有工作表“板9”(工作表: \"96孔\", "
                     "\"两板\", \"384孔\", \"文本列号\", \"缺号\", \"名单\")"},
        BadPlateCase{"ListSheet",
                     {"--plate", "BOOK", "--sheet", "名单"},
                     "lo-plates.xlsx: 工作表“名单”: 工作表中没有板图:要找的是一行从 1 起"},
        BadPlateCase{"GapInTheNumbers",
                     {"--plate", "BOOK", "--sheet", "缺号"},
                     "最接近的是 B1 起的一行:列号 1–6 之后缺 7"},
        BadPlateCase{"BlockOutOfRange",
                     {"--plate", "BOOK", "--sheet", "两板", "--block", "3"},
                     "lo-plates.xlsx 的工作表“两板”只有 2 块板\n"},
        BadPlateCase{"BlockZero",
                     {"--plate", "BOOK", "--sheet", "96孔", "--block", "0"},
                     "的工作表“96孔”只有 1 块板\n"},
        BadPlateCase{"BlockNotANumber",
                     {"--plate", "BOOK", "--sheet", "96孔", "--block", "two"},
                     "--block 必须是整数,而不是“two”"},
        BadPlateCase{"DamagedWorkbook",
                     {"--plate", std::string(QUORBEL_FIXTURES) + "/mapping/truncated.xls",
                      "--sheet", "名单"},
                     std::string("truncated.xls: ") + workbookmessages::Damaged.text()},
        BadPlateCase{"NotAWorkbook",
                     {"--plate", std::string(QUORBEL_FIXTURES) + "/mapping/not-a-workbook.xls",
                      "--sheet", "名单"},
                     std::string("not-a-workbook.xls: ") + workbookmessages::NotAWorkbook.text()},
        BadPlateCase{"SheetWithoutWorkbook", {"--sheet", "96孔"}, "--sheet 需要 --map 或 --plate"},
        BadPlateCase{"UsagePlateWithoutSheet", {"--plate", "BOOK"}, "--plate 需要 --sheet\n"},
        BadPlateCase{
            "UsageBlockWithoutPlate", {"--block", "2", "--number"}, "--block 需要 --plate\n"},
        BadPlateCase{
            "UsagePlateAndMap",
            {"--plate", "BOOK", "--sheet", "96孔", "--map", "BOOK", "--key", "a", "--value", "b"},
            "--map 不能与 --plate 一起使用\n"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorbel::test
