// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/exportlist.h"
#include "global/localeformat.h"
#include "mapping/applymapping.h"
#include "mapping/workbookreader.h"
#include "renamelist/renamelist.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <sys/stat.h>

namespace quorbel {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

constexpr ExportFormat bothFormats[] = {ExportFormat::Xls, ExportFormat::Xlsx};

const char* suffix(ExportFormat format) {
    return format == ExportFormat::Xls ? "list.xls" : "list.xlsx";
}

std::string withoutCr(std::string text) {
    std::erase(text, '\r');
    return text;
}

std::vector<std::string> filesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Reads the export back through the mapping reader and checks it cell by cell
// against the list. The reader's table starts at the first row and the
// leftmost column holding text: the header row and column B, since column A
// (the row indicator) holds none.
void expectSheetHoldsList(const std::string& path, const RenameList& list) {
    const auto reader = openWorkbook(path);
    ASSERT_EQ(reader->sheetNames(), std::vector<std::string>{"Sheet1"});
    const MappingTable table = reader->readSheet("Sheet1");
    const std::vector<std::string> headers{"序号", "原名称", "新名称", "后缀", "目录", "处理结果"};
    ASSERT_EQ(table.columnNames(), headers);
    int lastRowWithText = 0;
    for (int row = 1; row < list.RowCount(); ++row) {
        EXPECT_EQ(list.getCell(RenameList::Indicator, row), "");
        for (int column = 1; column < RenameList::ColCount; ++column) {
            const std::string expected = withoutCr(list.getCell(column, row));
            const SheetCell& cell = table.cell(static_cast<size_t>(row - 1), column - 1);
            EXPECT_EQ(cell.type, expected.empty() ? SheetCell::Type::Empty : SheetCell::Type::Text)
                << "row " << row << " column " << column;
            EXPECT_EQ(cell.text, expected) << "row " << row << " column " << column;
            if (!expected.empty())
                lastRowWithText = row;
        }
    }
    EXPECT_EQ(table.rowCount(), static_cast<size_t>(lastRowWithText));
}

std::vector<std::string> pathsIn(const std::string& dir, const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back(dir + name);
    return paths;
}

RenameList filled(const std::vector<std::string>& paths) {
    RenameList list;
    list.fill(paths, posixPathRule);
    return list;
}

struct SheetCase {
    const char* name;
    std::function<RenameList()> make;
};

RenameList threeFiles() {
    return filled(pathsIn("/data/", {"a.jpg", "b.jpg", "c.jpg"}));
}

RenameList textsOfEveryKind() {
    RenameList list =
        filled(pathsIn("/样品/", {"IMG_0001.jpg", "<b>粗体</b>&lt;.ab1", "😀照片.seq"}));
    list.setCell(RenameList::NewName, 1, "第一行\r\n第二行\r");
    list.setCell(RenameList::NewName, 2, "<i>x</i> & \"q\"");
    list.setCell(RenameList::NewName, 3, "\xF0\x9F\x8E\x89 party");
    return list;
}

// A run's result words stay beside newly loaded files.
RenameList staleResults() {
    RenameList list = filled(pathsIn("/old/", {"x.jpg", "y.jpg"}));
    list.setCell(RenameList::Result, 1, "成功");
    list.setCell(RenameList::Result, 2, "失败,文件重复");
    list.fill(pathsIn("/new/", {"p.jpg", "q.jpg", "r.jpg"}), posixPathRule);
    return list;
}

// Well over one record of shared strings: short strings spill into CONTINUE
// records, and one string of 5,000 Chinese characters (10,000 bytes) is split
// between two records.
RenameList manyStrings() {
    std::vector<std::string> names;
    for (int i = 0; i < 400; ++i)
        names.push_back("sample_with_a_longer_name_" + std::to_string(i) + ".ab1");
    RenameList list = filled(pathsIn("/lab/run/", names));
    std::string chinese;
    for (int i = 0; i < 5000; ++i)
        chinese += i % 2 ? "样" : "品";
    list.setCell(RenameList::NewName, 7, chinese);
    list.setCell(RenameList::NewName, 8, std::string(6000, 'n'));
    return list;
}

class ExportSheetTest : public ::testing::TestWithParam<SheetCase> {};

TEST_P(ExportSheetTest, EveryCellReadsBackAsText) {
    const RenameList list = GetParam().make();
    TempDir dir;
    for (const ExportFormat format : bothFormats) {
        SCOPED_TRACE(suffix(format));
        const std::string path = (dir.path() / suffix(format)).string();
        EXPECT_EQ(exportList(list, path, format).replacedCells, 0u);
        expectSheetHoldsList(path, list);
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, ExportSheetTest,
                         ::testing::Values(SheetCase{"StartState", [] { return RenameList(); }},
                                           SheetCase{"ThreeFiles", threeFiles},
                                           SheetCase{"TextsOfEveryKind", textsOfEveryKind},
                                           SheetCase{"StaleResults", staleResults},
                                           SheetCase{"ManyStrings", manyStrings}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExportListTest, SequenceNumbersAreTextCells) {
    TempDir dir;
    for (const ExportFormat format : bothFormats) {
        const std::string path = (dir.path() / suffix(format)).string();
        exportList(threeFiles(), path, format);
        const MappingTable table = openWorkbook(path)->readSheet("Sheet1");
        ASSERT_EQ(table.rowCount(), 3u);
        for (size_t row = 0; row < 3; ++row) {
            EXPECT_EQ(table.cell(row, 0).type, SheetCell::Type::Text);
            EXPECT_EQ(table.cell(row, 0).text, std::to_string(row + 1));
        }
    }
}

// Export, fill the new-name column elsewhere, load it back through the mapping
// with "原名称" as key and "新名称" as value: every name comes back byte for byte.
TEST(ExportListTest, MappingRoundTripGivesBackEveryNewName) {
    const std::vector<std::string> names{
        "IMG_0001.jpg", "007.jpg",  "1e5.seq",        "2024-01-01.ab1", " 空格 .jpg",
        "O'Neil.txt",   "样品.ab1", "😀.jpg",          "=SUM(A1).jpg",   "a\tb.jpg",
        "TRUE.jpg",     "noext",    "scan_x0041_.tif"};
    RenameList list = filled(pathsIn("/lab/", names));
    const std::vector<std::string> newNames{
        "B01", "008",  "1E5",     "2024-01-02", "  前后空格  ", "o'neil",         "样品新",
        "🎉x",  "=1+1", "tab\tin", "FALSE",      "0.50",         "p_x4E2D__x005F_"};
    for (size_t i = 0; i < newNames.size(); ++i)
        list.setCell(RenameList::NewName, static_cast<int>(i + 1), newNames[i]);
    TempDir dir;
    for (const ExportFormat format : bothFormats) {
        SCOPED_TRACE(suffix(format));
        const std::string path = (dir.path() / suffix(format)).string();
        exportList(list, path, format);
        const MappingTable table = openWorkbook(path)->readSheet("Sheet1");
        RenameList fresh = filled(pathsIn("/lab/", names));
        EXPECT_EQ(applyMapping(fresh, table, table.columnIndex("原名称"),
                               table.columnIndex("新名称"), LocaleFormat{}),
                  static_cast<int>(names.size()));
        for (int row = 1; row < fresh.RowCount(); ++row)
            EXPECT_EQ(fresh.getCell(RenameList::NewName, row),
                      newNames[static_cast<size_t>(row - 1)]);
    }
}

TEST(ExportListTest, BytesThatAreNotUtf8BecomeReplacementCharacters) {
    RenameList list = filled({"/gbk/\xD1\xF9\xC6\xB7.jpg", "/gbk/ok.jpg"});
    list.setCell(RenameList::NewName, 2, "bad\xFF");
    TempDir dir;
    for (const ExportFormat format : bothFormats) {
        const std::string path = (dir.path() / suffix(format)).string();
        EXPECT_EQ(exportList(list, path, format).replacedCells, 2u);
        const MappingTable table = openWorkbook(path)->readSheet("Sheet1");
        EXPECT_EQ(table.cell(0, 1).text, "\xEF\xBF\xBD\xEF\xBF\xBD\xC6\xB7");
        EXPECT_EQ(table.cell(1, 2).text, "bad\xEF\xBF\xBD");
        EXPECT_EQ(table.cell(0, 4).text, "/gbk/");
    }
}

// The most rows a .xls sheet holds: the last one lands in sheet row 65536.
TEST(ExportListTest, FullXlsSheetKeepsItsLastRow) {
    RenameList list;
    list.setRowCount(65536);
    list.setCell(RenameList::NewName, 65535, "last");
    TempDir dir;
    const std::string path = (dir.path() / "full.xls").string();
    exportList(list, path, ExportFormat::Xls);
    const MappingTable table = openWorkbook(path)->readSheet("Sheet1");
    ASSERT_EQ(table.rowCount(), 65535u);
    EXPECT_EQ(table.cell(65534, 2).text, "last");
}

// Over 7 MB: the compound file lists its allocation-table sectors beyond the
// 109 its header holds in extra (DIFAT) sectors.
TEST(ExportListTest, LargeXlsReadsBackWhole) {
    std::vector<std::string> names;
    for (int i = 1; i < 65536; ++i)
        names.push_back("IMG_" + std::to_string(100000 + i) + ".jpg");
    RenameList list = filled(pathsIn("/home/user/pictures/2024/holiday/", names));
    for (int row = 1; row < list.RowCount(); ++row)
        list.setCell(RenameList::NewName, row, "新名称_" + std::to_string(row));
    TempDir dir;
    const std::string path = (dir.path() / "large.xls").string();
    exportList(list, path, ExportFormat::Xls);
    const std::string bytes = dir.read("large.xls");
    ASSERT_GT(bytes.size(), 0x4Cu);
    EXPECT_GT(static_cast<unsigned char>(bytes[0x48]), 0) << "no DIFAT sector";
    const MappingTable table = openWorkbook(path)->readSheet("Sheet1");
    ASSERT_EQ(table.rowCount(), 65535u);
    EXPECT_EQ(table.cell(65534, 0).text, "65535");
    EXPECT_EQ(table.cell(65534, 1).text, "IMG_165535");
    EXPECT_EQ(table.cell(65534, 2).text, "新名称_65535");
    EXPECT_EQ(table.cell(65534, 4).text, "/home/user/pictures/2024/holiday/");
}

TEST(ExportListTest, RefusesMoreRowsThanXlsHoldsBeforeWriting) {
    RenameList list;
    list.setRowCount(65537);
    list.setCell(RenameList::NewName, 65536, "one too many");
    TempDir dir;
    dir.write("list.xls", "old");
    try {
        exportList(list, (dir.path() / "list.xls").string(), ExportFormat::Xls);
        FAIL() << "exported";
    } catch (const ExportError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("65537"), std::string::npos) << message;
        EXPECT_NE(message.find("65536"), std::string::npos) << message;
        EXPECT_NE(message.find(".xlsx"), std::string::npos) << message;
    }
    EXPECT_EQ(dir.read("list.xls"), "old");
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"list.xls"});
    // The suggested format takes it.
    const std::string xlsx = (dir.path() / "list.xlsx").string();
    exportList(list, xlsx, ExportFormat::Xlsx);
    EXPECT_EQ(openWorkbook(xlsx)->readSheet("Sheet1").cell(65535, 2).text, "one too many");
}

// A cell holds 32,767 UTF-16 code units; an emoji counts two.
TEST(ExportListTest, RefusesACellLongerThanAWorkbookCellHolds) {
    TempDir dir;
    RenameList list = filled({"/d/a.jpg"});
    list.setCell(RenameList::NewName, 1, std::string(32765, 'x') + "😀");
    const std::string xlsx = (dir.path() / "ok.xlsx").string();
    exportList(list, xlsx, ExportFormat::Xlsx);
    EXPECT_EQ(openWorkbook(xlsx)->readSheet("Sheet1").cell(0, 2).text.size(), 32769u);

    list.setCell(RenameList::NewName, 1, std::string(32766, 'x') + "😀");
    for (const ExportFormat format : bothFormats) {
        try {
            exportList(list, (dir.path() / suffix(format)).string(), format);
            FAIL() << "exported";
        } catch (const ExportError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("新名称"), std::string::npos) << message;
            EXPECT_NE(message.find("32768"), std::string::npos) << message;
            EXPECT_NE(message.find("32767"), std::string::npos) << message;
        }
    }
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"ok.xlsx"});
}

TEST(ExportListTest, ReplacesAnExistingFileKeepingItsMode) {
    TempDir dir;
    dir.write("list.xls", "an older file");
    const std::string path = (dir.path() / "list.xls").string();
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    exportList(threeFiles(), path, ExportFormat::Xls);
    expectSheetHoldsList(path, threeFiles());
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"list.xls"});
}

TEST(ExportListTest, SavingOntoALinkReplacesTheFileItPointsTo) {
    TempDir dir;
    fs::create_directory(dir.path() / "real");
    dir.write("real/list.xlsx", "old");
    fs::create_symlink(dir.path() / "real/list.xlsx", dir.path() / "link.xlsx");
    exportList(threeFiles(), (dir.path() / "link.xlsx").string(), ExportFormat::Xlsx);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.xlsx"));
    expectSheetHoldsList((dir.path() / "real/list.xlsx").string(), threeFiles());
    EXPECT_EQ(filesIn(dir.path() / "real"), std::vector<std::string>{"list.xlsx"});
}

TEST(ExportListTest, NewFileGetsTheUsualMode) {
    TempDir dir;
    const mode_t old = ::umask(022);
    exportList(threeFiles(), (dir.path() / "new.xlsx").string(), ExportFormat::Xlsx);
    ::umask(old);
    struct stat info {};
    ASSERT_EQ(::stat((dir.path() / "new.xlsx").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
}

void expectFailureNaming(const std::string& path, ExportFormat format, const std::string& reason) {
    try {
        exportList(manyStrings(), path, format);
        FAIL() << "exported";
    } catch (const ExportError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(path), std::string::npos) << message;
        EXPECT_NE(message.find(reason), std::string::npos) << message;
    }
}

// The file-size limit binds root too: writing stops part-way as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

TEST(ExportListTest, WriteFailingPartWayKeepsTheOldFile) {
    TempDir dir;
    for (const ExportFormat format : bothFormats) {
        SCOPED_TRACE(suffix(format));
        dir.write(suffix(format), "old");
        const std::string path = (dir.path() / suffix(format)).string();
        {
            FileSizeLimit limit(4096);
            expectFailureNaming(path, format, "");
        }
        EXPECT_EQ(dir.read(suffix(format)), "old");
    }
    EXPECT_EQ(filesIn(dir.path()), (std::vector<std::string>{"list.xls", "list.xlsx"}));
}

// libxlsxwriter prints its own "[ERROR]" line when it fails; the export's one
// message is all that reaches standard error.
TEST(ExportListTest, FailingXlsxWritesNothingToStandardError) {
    TempDir dir;
    const std::string path = (dir.path() / "list.xlsx").string();
    const std::string captured = (dir.path() / "stderr").string();
    std::fflush(stderr);
    const int saved = ::dup(2);
    const int capture = ::open(captured.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(capture, 2);
    {
        FileSizeLimit limit(4096);
        expectFailureNaming(path, ExportFormat::Xlsx, "");
    }
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    ::close(capture);
    EXPECT_EQ(dir.read("stderr"), "");
}

TEST(ExportListTest, ReportsFailuresWithPathAndReason) {
    TempDir dir;
    dir.write("file", "x");
    fs::create_directory(dir.path() / "folder.xls");
    const std::string longName = std::string(300, 'n') + ".xls";
    for (const ExportFormat format : bothFormats) {
        SCOPED_TRACE(suffix(format));
        expectFailureNaming((dir.path() / "file/list.xls").string(), format, "Not a directory");
        expectFailureNaming((dir.path() / "missing/list.xls").string(), format,
                            "No such file or directory");
        expectFailureNaming((dir.path() / "folder.xls").string(), format, "Is a directory");
        expectFailureNaming((dir.path() / longName).string(), format, "File name too long");
    }
    EXPECT_EQ(filesIn(dir.path()), (std::vector<std::string>{"file", "folder.xls"}));
}

TEST(ExportListTest, FormatFollowsTheExtension) {
    EXPECT_EQ(exportFormatOf("/d/a.xls"), ExportFormat::Xls);
    EXPECT_EQ(exportFormatOf("/d/a.XLS"), ExportFormat::Xls);
    EXPECT_EQ(exportFormatOf("a.xlsx"), ExportFormat::Xlsx);
    EXPECT_EQ(exportFormatOf("/d/a.XlSx"), ExportFormat::Xlsx);
    EXPECT_EQ(exportFormatOf("/d/a.csv"), std::nullopt);
    EXPECT_EQ(exportFormatOf("/d.xls/a"), std::nullopt);
    EXPECT_EQ(exportFormatOf("/d/xls"), std::nullopt);
}

} // namespace
} // namespace quorbel
