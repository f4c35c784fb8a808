// SPDX-License-Identifier: GPL-3.0-or-later
// Files our writer produced and LibreOffice Calc read (converted to CSV with
// soffice --headless --convert-to csv), kept so the check runs without it:
// the writer must still produce exactly those bytes, and the CSV LibreOffice
// made of them must hold the list. Set QUORBEL_UPDATE_EXPORT_FIXTURES=1 to
// rewrite the .xls files after a deliberate change, then convert them again.
#include "export/exportlist.h"
#include "global/localeformat.h"
#include "mapping/celltext.h"
#include "mapping/workbookreader.h"
#include "renamelist/renamelist.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

namespace quorbel {
namespace {

namespace fs = std::filesystem;

std::string fixture(const std::string& name) {
    return std::string(QUORBEL_FIXTURES) + "/export/" + name;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Texts of every kind, characters outside the basic plane among them.
RenameList texts() {
    RenameList list;
    list.fill({"/样品/IMG_0001.jpg", "/样品/&lt;b&gt;.ab1", "/样品/😀照片.seq"}, posixPathRule);
    list.setCell(RenameList::NewName, 1, "第一行\r\n第二行\r");
    list.setCell(RenameList::NewName, 2, "<i>x</i> & \"q\"");
    list.setCell(RenameList::NewName, 3, "\xF0\x9F\x8E\x89 party \xF0\xA0\x80\x80");
    list.setCell(RenameList::Result, 1, "成功");
    return list;
}

// Shared strings over many CONTINUE records: strings split over two records
// and over three, surrogate pairs near the splits, and a cell of the greatest
// length a workbook cell holds.
RenameList continued() {
    std::vector<std::string> paths;
    for (int i = 0; i < 300; ++i)
        paths.push_back("/lab/run/sample_with_a_longer_name_" + std::to_string(i) + ".ab1");
    RenameList list;
    list.fill(paths, posixPathRule);
    std::string two, three;
    for (int i = 0; i < 5000; ++i)
        two += i % 2 ? "样" : "品";
    for (int i = 0; i < 9000; ++i)
        three += i % 100 == 99 ? "😀" : "字";
    list.setCell(RenameList::NewName, 7, two);
    list.setCell(RenameList::NewName, 8, three);
    list.setCell(RenameList::NewName, 9, std::string(32767, 'a'));
    return list;
}

struct FixtureCase {
    const char* name;
    std::function<RenameList()> make;
};

class ExportFixtureTest : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(ExportFixtureTest, WriterStillProducesWhatLibreOfficeRead) {
    const std::string name = GetParam().name;
    test::TempDir dir;
    const std::string path = (dir.path() / (name + ".xls")).string();
    exportList(GetParam().make(), path, ExportFormat::Xls);
    if (std::getenv("QUORBEL_UPDATE_EXPORT_FIXTURES"))
        fs::copy_file(path, fixture(name + ".xls"), fs::copy_options::overwrite_existing);
    EXPECT_TRUE(readFile(path) == readFile(fixture(name + ".xls")))
        << "the .xls writer changed; check the new file with LibreOffice";
}

TEST_P(ExportFixtureTest, LibreOfficeReadEveryCell) {
    const RenameList list = GetParam().make();
    const MappingTable table =
        openWorkbook(fixture(std::string(GetParam().name) + ".csv"))->readSheet(GetParam().name);
    ASSERT_EQ(table.rowCount(), static_cast<size_t>(list.RowCount() - 1));
    for (int row = 0; row < list.RowCount(); ++row) {
        for (int column = 1; column < RenameList::ColCount; ++column) {
            std::string expected = list.getCell(column, row);
            std::erase(expected, '\r');
            const std::string read =
                row == 0 ? table.columnNames()[column - 1]
                         : cellText(table.cell(row - 1, column - 1), LocaleFormat{});
            EXPECT_TRUE(read == expected) << "row " << row << " column " << column;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ExportFixtureTest,
                         ::testing::Values(FixtureCase{"texts", texts},
                                           FixtureCase{"continued", continued}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorbel
