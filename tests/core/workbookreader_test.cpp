// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/applymapping.h"
#include "mapping/celltext.h"
#include "mapping/workbookmessages.h"
#include "mapping/workbookreader.h"
#include "renamelist/renamelist.h"

#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace quorbel {
namespace {

namespace fs = std::filesystem;

std::string fixture(const std::string& name) {
    return std::string(QUORBEL_FIXTURES) + "/mapping/" + name;
}

std::vector<std::string> rowTexts(const MappingTable& table, size_t row) {
    std::vector<std::string> texts;
    for (size_t column = 0; column < table.columnNames().size(); ++column)
        texts.push_back(cellText(table.cell(row, static_cast<int>(column)), LocaleFormat{}));
    return texts;
}

// A temporary folder for files the tests write themselves.
class TempDir {
public:
    TempDir() {
        path_ = fs::temp_directory_path() /
                ("quorbel-mapping-" + std::to_string(::getpid()) + "-" + std::to_string(next_++));
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string write(const std::string& name, const std::string& content) const {
        std::ofstream(file(name), std::ios::binary) << content;
        return file(name);
    }

private:
    fs::path path_;
    static inline int next_ = 0;
};

// The same three sheets saved as .xls, .xlsx and .ods by real spreadsheet programs.
class WorkbookFormatTest : public ::testing::TestWithParam<const char*> {
protected:
    std::unique_ptr<WorkbookReader> reader = openWorkbook(fixture(GetParam()));
};

TEST_P(WorkbookFormatTest, ListsEverySheetInOrder) {
    EXPECT_EQ(reader->sheetNames(), (std::vector<std::string>{"名单", "Sheet2", "空表"}));
}

TEST_P(WorkbookFormatTest, ReadsColumnsKindsAndCells) {
    const MappingTable table = reader->readSheet("名单");
    EXPECT_EQ(table.columnNames(),
              (std::vector<std::string>{"文件名", "新名", "编号", "序号 列", "日期"}));
    EXPECT_EQ(table.kind(0), ColumnKind::Text);
    EXPECT_EQ(table.kind(2), ColumnKind::Number);
    EXPECT_EQ(table.kind(3), ColumnKind::Number);
    EXPECT_EQ(table.kind(4), ColumnKind::Date);
    ASSERT_EQ(table.rowCount(), 7u);
    using Row = std::vector<std::string>;
    EXPECT_EQ(rowTexts(table, 0), (Row{"IMG_0001", "B01", "1", "7", "2024-05-01"}));
    EXPECT_EQ(rowTexts(table, 1), (Row{"O'Neil", "oneil", "1.5", "12", "2024-05-02"}));
    EXPECT_EQ(rowTexts(table, 2), (Row{"样品", "样品新", "-3", "101", "2024-12-31"}));
    EXPECT_EQ(rowTexts(table, 4), (Row{"dup", "second", "1E15", "2", "2025-01-02"}));
    EXPECT_EQ(rowTexts(table, 5), (Row{"", "no-key", "5E-5", "3", "2025-01-03"}));
    EXPECT_EQ(rowTexts(table, 6), (Row{"Sample1", "", "1.5E20", "4", "2025-01-04"}));
}

TEST_P(WorkbookFormatTest, SecondSheetAndSheetWithoutCells) {
    const MappingTable second = reader->readSheet("Sheet2");
    EXPECT_EQ(second.columnNames(), (std::vector<std::string>{"old", "new"}));
    EXPECT_EQ(rowTexts(second, 0), (std::vector<std::string>{"a", "A-renamed"}));
    const MappingTable empty = reader->readSheet("空表");
    EXPECT_TRUE(empty.columnNames().empty());
    EXPECT_EQ(empty.rowCount(), 0u);
}

TEST_P(WorkbookFormatTest, UnknownSheetIsAnError) {
    EXPECT_THROW(reader->readSheet("名单2"), WorkbookError);
    EXPECT_THROW(reader->readSheet("名"), WorkbookError);
}

TEST_P(WorkbookFormatTest, MapsAListThroughTheSheet) {
    const MappingTable table = reader->readSheet("名单");
    RenameList list;
    list.setRowCount(5);
    const char* names[] = {"007", "12", "abc", "101"};
    for (int row = 1; row < 5; ++row)
        list.setCell(RenameList::OldName, row, names[row - 1]);
    const int matches = applyMapping(list, table, table.columnIndex("序号 列"),
                                     table.columnIndex("编号"), LocaleFormat{});
    EXPECT_EQ(matches, 3);
    EXPECT_EQ(list.getCell(RenameList::NewName, 1), "1");
    EXPECT_EQ(list.getCell(RenameList::NewName, 2), "1.5");
    EXPECT_EQ(list.getCell(RenameList::NewName, 3), "");
    EXPECT_EQ(list.getCell(RenameList::NewName, 4), "-3");
}

INSTANTIATE_TEST_SUITE_P(Fixtures, WorkbookFormatTest,
                         ::testing::Values("mapping.xls", "mapping.xlsx", "mapping.ods"),
                         [](const auto& info) { return std::string(info.param).substr(8); });

TEST(CsvWorkbook, OneTextSheetNamedAfterTheFile) {
    const auto reader = openWorkbook(fixture("mapping.csv"));
    ASSERT_EQ(reader->sheetNames(), std::vector<std::string>{"mapping"});
    const MappingTable table = reader->readSheet("mapping");
    EXPECT_EQ(table.columnNames(), (std::vector<std::string>{"文件名", "新名"}));
    ASSERT_EQ(table.rowCount(), 3u);
    EXPECT_EQ(rowTexts(table, 1), (std::vector<std::string>{"O'Neil", "oneil"}));
    EXPECT_EQ(rowTexts(table, 2), (std::vector<std::string>{"样品", "样品新"}));
}

TEST(CsvWorkbook, KeepsDigitsAsWrittenAndSkipsTheByteOrderMark) {
    TempDir dir;
    const auto reader = openWorkbook(dir.write("名单.txt", "\xEF\xBB\xBFold,new\r\n007,1.50\r\n"));
    const MappingTable table = reader->readSheet("名单");
    EXPECT_EQ(table.columnNames(), (std::vector<std::string>{"old", "new"}));
    EXPECT_EQ(rowTexts(table, 0), (std::vector<std::string>{"007", "1.50"}));
}

// The same table as saved by Excel on a Chinese system (GBK), in a European locale
// (";" and decimal commas, UTF-8 with its mark) and as "Unicode text" (UTF-16, tabs).
struct SavedCsvCase {
    const char* file;
    const char* sheet;
    std::vector<std::string> concentrations;
};

class SavedCsvTest : public ::testing::TestWithParam<SavedCsvCase> {};

TEST_P(SavedCsvTest, ReadsEveryCellAndMaps) {
    const SavedCsvCase& c = GetParam();
    const auto reader = openWorkbook(fixture(c.file));
    ASSERT_EQ(reader->sheetNames(), std::vector<std::string>{c.sheet});
    const MappingTable table = reader->readSheet(c.sheet);
    using Row = std::vector<std::string>;
    EXPECT_EQ(table.columnNames(), (Row{"文件名", "新名", "浓度"}));
    ASSERT_EQ(table.rowCount(), 3u);
    EXPECT_EQ(rowTexts(table, 0), (Row{"IMG_0001", "B01", c.concentrations[0]}));
    EXPECT_EQ(rowTexts(table, 1), (Row{"O'Neil", "oneil", c.concentrations[1]}));
    EXPECT_EQ(rowTexts(table, 2), (Row{"样品", "样品新", c.concentrations[2]}));

    RenameList list;
    list.setRowCount(4);
    const char* names[] = {"样品", "IMG_0001", "other"};
    for (int row = 1; row < 4; ++row)
        list.setCell(RenameList::OldName, row, names[row - 1]);
    EXPECT_EQ(applyMapping(list, table, 0, 1, LocaleFormat{}), 2);
    EXPECT_EQ(list.getCell(RenameList::NewName, 1), "样品新");
    EXPECT_EQ(list.getCell(RenameList::NewName, 2), "B01");
    EXPECT_EQ(list.getCell(RenameList::NewName, 3), "");
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, SavedCsvTest,
    ::testing::Values(
        SavedCsvCase{"mapping-gbk.csv", "mapping-gbk", {"1.5", "-3.25", "1,234.5"}},
        SavedCsvCase{"mapping-semicolon.csv", "mapping-semicolon", {"1,5", "-3,25", "1.234,5"}},
        SavedCsvCase{"mapping-unicode.txt", "mapping-unicode", {"1.5", "-3.25", "1,234.5"}}),
    [](const auto& info) {
        std::string name = info.param.sheet;
        return name.substr(name.find('-') + 1);
    });

// Saved by LibreOffice Calc: GBK, "Unicode text" (UTF-16 with its mark, tabs, LF) and
// ";" with every text quoted.
TEST(CsvWorkbook, ReadsWhatLibreOfficeSaves) {
    using Row = std::vector<std::string>;
    using Saved = std::pair<const char*, const char*>; // file, sheet
    for (const auto& [file, sheet] : {Saved{"libreoffice-gbk.csv", "libreoffice-gbk"},
                                      Saved{"libreoffice-unicode.txt", "libreoffice-unicode"}}) {
        SCOPED_TRACE(file);
        const MappingTable table = openWorkbook(fixture(file))->readSheet(sheet);
        EXPECT_EQ(table.columnNames(), (Row{"文件名", "新名", "编号"}));
        ASSERT_EQ(table.rowCount(), 3u);
        EXPECT_EQ(rowTexts(table, 0), (Row{"IMG_0001", "样品一", "1"}));
        EXPECT_EQ(rowTexts(table, 1), (Row{"样品", "新,名", "2"}));
        EXPECT_EQ(rowTexts(table, 2), (Row{"O'Neil", "欧尼尔", "3"}));
    }

    const MappingTable semicolon =
        openWorkbook(fixture("libreoffice-semicolon.csv"))->readSheet("libreoffice-semicolon");
    EXPECT_EQ(semicolon.columnNames(), (Row{"文件名", "新名", "浓度", "日期"}));
    ASSERT_EQ(semicolon.rowCount(), 3u);
    EXPECT_EQ(rowTexts(semicolon, 1), (Row{"Müller, Hans", "mueller", "-3.25", "05/02/24"}));
    EXPECT_EQ(rowTexts(semicolon, 2), (Row{"样品", "a;b", "1234.5", "12/31/24"}));
}

// Without a separator only the name says a text file is a table of one column.
TEST(CsvWorkbook, OneColumnWhenSavedAsCsv) {
    TempDir dir;
    const std::string content = "名字\r\n张三\r\nSmith, John\r\n";
    const MappingTable table = openWorkbook(dir.write("names.CSV", content))->readSheet("names");
    EXPECT_EQ(table.columnNames(), std::vector<std::string>{"名字"});
    ASSERT_EQ(table.rowCount(), 2u);
    EXPECT_EQ(rowTexts(table, 1), std::vector<std::string>{"Smith, John"});
    EXPECT_THROW(openWorkbook(dir.write("names.txt", content)), WorkbookError);
}

TEST(XlsWorkbook, UsedRangeUnnamedColumnsAndTimes) {
    const auto reader = openWorkbook(fixture("layout.xls"));
    const MappingTable offset = reader->readSheet("偏移");
    EXPECT_EQ(offset.columnNames(), (std::vector<std::string>{"key", "F2", "value"}));
    ASSERT_EQ(offset.rowCount(), 3u);
    EXPECT_EQ(rowTexts(offset, 0), (std::vector<std::string>{"a", "middle", "x"}));
    EXPECT_EQ(rowTexts(offset, 1), (std::vector<std::string>{"", "", ""}));
    // FreeXL reports a boolean cell as the integer 1; it reads as in every format.
    EXPECT_EQ(rowTexts(offset, 2), (std::vector<std::string>{"c", "", "TRUE"}));
    const MappingTable times = reader->readSheet("时间");
    EXPECT_EQ(times.kind(0), ColumnKind::Date);
    EXPECT_EQ(rowTexts(times, 0), (std::vector<std::string>{"2024-05-01 10.20.30", "morning"}));
    EXPECT_EQ(rowTexts(times, 1), (std::vector<std::string>{"18.00.00", "evening"}));
    EXPECT_EQ(rowTexts(times, 2), (std::vector<std::string>{"2024-05-02", "2024-05-02 07.05.09"}));
}

// Builds an .xlsx with libxlsxwriter: formulas with cached results, booleans,
// a built-in date format and a time of day.
std::string writeXlsx(const TempDir& dir) {
    const std::string path = dir.file("built.xlsx");
    lxw_workbook* book = workbook_new(path.c_str());
    lxw_worksheet* sheet = workbook_add_worksheet(book, "表 1");
    lxw_format* builtinDate = workbook_add_format(book);
    format_set_num_format_index(builtinDate, 14);
    lxw_format* dateTime = workbook_add_format(book);
    format_set_num_format(dateTime, "yyyy\"年\"m\"月\"d\"日\" hh:mm:ss");
    worksheet_write_string(sheet, 0, 0, "key", nullptr);
    worksheet_write_string(sheet, 0, 1, "value", nullptr);
    worksheet_write_string(sheet, 0, 2, "when", nullptr);
    worksheet_write_formula_str(sheet, 1, 0, "=\"A\"&\"B\"", nullptr, "AB");
    worksheet_write_formula_num(sheet, 1, 1, "=1+2", nullptr, 3);
    worksheet_write_number(sheet, 1, 2, 45413, builtinDate);
    worksheet_write_string(sheet, 2, 0, "flag", nullptr);
    worksheet_write_boolean(sheet, 2, 1, 1, nullptr);
    lxw_datetime when = {2024, 5, 1, 10, 20, 30};
    worksheet_write_datetime(sheet, 2, 2, &when, dateTime);
    EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
    return path;
}

TEST(XlsxWorkbook, FormulaResultsBooleansAndDateFormats) {
    TempDir dir;
    const auto reader = openWorkbook(writeXlsx(dir));
    ASSERT_EQ(reader->sheetNames(), std::vector<std::string>{"表 1"});
    const MappingTable table = reader->readSheet("表 1");
    EXPECT_EQ(table.kind(2), ColumnKind::Date);
    EXPECT_EQ(rowTexts(table, 0), (std::vector<std::string>{"AB", "3", "2024-05-01"}));
    EXPECT_EQ(rowTexts(table, 1),
              (std::vector<std::string>{"flag", "TRUE", "2024-05-01 10.20.30"}));
}

struct BadFileCase {
    const char* name;
    std::string content; // empty: use the fixture of that name
    const char* message;
};

class BadWorkbookTest : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(BadWorkbookTest, GivesAClearError) {
    TempDir dir;
    const BadFileCase& c = GetParam();
    const std::string path = c.content.empty() ? fixture(c.name) : dir.write(c.name, c.content);
    try {
        openWorkbook(path)->sheetNames();
        FAIL() << "no error for " << c.name;
    } catch (const WorkbookError& error) {
        EXPECT_STREQ(error.what(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadWorkbookTest,
    ::testing::Values(
        BadFileCase{"truncated.xls", "", workbookmessages::Damaged},
        BadFileCase{"not-a-workbook.xls", "", workbookmessages::NotAWorkbook},
        BadFileCase{"encrypted.xls", "", workbookmessages::Encrypted},
        // FreeXL would spend seconds per cell on dates beyond the year 9999.
        BadFileCase{"far-dates.xls", "", workbookmessages::Damaged},
        BadFileCase{"missing.xls", "", workbookmessages::CannotOpen},
        BadFileCase{"empty.xlsx", std::string("\0", 0), workbookmessages::CannotOpen},
        BadFileCase{"binary.xls", std::string("\x01\x02\x03\x04\x00\xFF", 6),
                    workbookmessages::NotAWorkbook},
        BadFileCase{"utf16-binary.csv", std::string("\xFF\xFE\x01\x00,\x00", 6),
                    workbookmessages::NotAWorkbook},
        BadFileCase{"latin1-binary.csv", std::string("a,b\n\xFF\xFF\xFF\n"),
                    workbookmessages::NotAWorkbook},
        BadFileCase{"ole-header-only.xls", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8),
                    workbookmessages::Damaged},
        BadFileCase{"zip-end-only.xlsx",
                    std::string("PK\x03\x04", 4) + std::string("PK\x05\x06", 4) +
                        std::string(18, '\0'),
                    workbookmessages::NotAWorkbook},
        BadFileCase{"zip-no-directory.xlsx", std::string("PK\x03\x04garbage", 11),
                    workbookmessages::Damaged},
        // Inputs the fuzzers found: FreeXL converted compound-file
        // entry names by the length the entry claims, reading past
        // its stack buffer, and stepped over a shared string's extension
        // data by its claimed size, and took a second string table for the
        // continuation of the first, and allocated 261 MB for the extents two
        // sheets of a 5 KB file claimed; liborcus sized an allocation from a
        // damaged local ZIP header, and read past the end of a
        // member whose deflate data was damaged; FreeXL leaked the cells of
        // a sheet whose BOUNDSHEET record points where no substream starts.
        BadFileCase{"fuzz/freexl-directory-name.xls", "", workbookmessages::Damaged},
        BadFileCase{"fuzz/freexl-root-name.xls", "", workbookmessages::Damaged},
        BadFileCase{"fuzz/freexl-string-extension.xls", "", workbookmessages::Damaged},
        BadFileCase{"fuzz/freexl-second-sst.xls", "", workbookmessages::Damaged},
        BadFileCase{"fuzz/freexl-claimed-extent.xls", "", workbookmessages::TooLarge},
        BadFileCase{"fuzz/freexl-sheet-without-substream.xls", "", workbookmessages::Damaged},
        // FreeXL leaks what it read of a sheet whose EOF record is lost, so
        // that the next sheet starts inside it.
        BadFileCase{"fuzz/freexl-sheet-without-eof.xls", "", workbookmessages::Damaged},
        BadFileCase{"fuzz/zip-bad-local-header.xlsx", "", workbookmessages::Damaged},
        BadFileCase{"fuzz/ods-bad-deflate.ods", "", workbookmessages::Damaged},
        // Excel 2.x to 4.0 wrote a bare BIFF stream: a BOF record, cells, EOF.
        BadFileCase{"excel2.xls",
                    std::string("\x09\x00\x04\x00\x02\x00\x10\x00"
                                "\x04\x00\x09\x00\x00\x00\x00\x00\x00\x00\x00\x01"
                                "a\x0A\x00\x00\x00",
                                25),
                    workbookmessages::OldExcel2},
        BadFileCase{"excel3.xls",
                    std::string("\x09\x02\x06\x00\x00\x00\x10\x00\x00\x00\x0A\x00\x00\x00", 14),
                    workbookmessages::OldExcel3},
        BadFileCase{"excel4-workbook.xlw",
                    std::string("\x09\x04\x06\x00\x00\x00\x00\x01\x00\x00\x0A\x00\x00\x00", 14),
                    workbookmessages::OldExcel4},
        // liborcus keeps a result slot for every cell an array formula's
        // range covers (393 MB for this 7 KB file's E2:IV65536) and writes
        // outside them for an inverted range (E4:E2).
        BadFileCase{"array-huge.xlsx", "", workbookmessages::TooLarge},
        BadFileCase{"array-inverted.xlsx", "", workbookmessages::Damaged}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        }
        return name;
    });

// mapping.xls with one BIFF record patched: FreeXL trusts these fields and
// would allocate or read by them.
struct XlsPatchCase {
    const char* name;
    std::string record; // the record header to find (type and size)
    size_t offset;      // from the record header's first byte
    std::string bytes;  // written there
    const char* message;
};

class XlsPatchTest : public ::testing::TestWithParam<XlsPatchCase> {};

TEST_P(XlsPatchTest, RefusedBeforeFreeXlReadsIt) {
    const XlsPatchCase& c = GetParam();
    std::ifstream in(fixture("mapping.xls"), std::ios::binary);
    std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t at = file.find(c.record);
    ASSERT_NE(at, std::string::npos);
    file.replace(at + c.offset, c.bytes.size(), c.bytes);
    TempDir dir;
    try {
        const auto reader = openWorkbook(dir.write("patched.xls", file));
        for (const std::string& name : reader->sheetNames())
            reader->readSheet(name);
        FAIL() << "no error";
    } catch (const WorkbookError& error) {
        EXPECT_STREQ(error.what(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XlsPatchTest,
    ::testing::Values(XlsPatchCase{"DimensionBeyondTheFormat", std::string("\x00\x02\x0E\x00", 4),
                                   8, std::string("\x00\x00\x10\x00", 4),
                                   workbookmessages::Damaged},
                      XlsPatchCase{"StringIndexBeyondTheTable", std::string("\xFD\x00\x0A\x00", 4),
                                   10, std::string("\xFF\xFF\x00\x00", 4),
                                   workbookmessages::Damaged},
                      XlsPatchCase{"SheetNameLongerThanItsRecord", std::string("\x85\x00", 2), 10,
                                   std::string("\xF0", 1), workbookmessages::Damaged},
                      XlsPatchCase{"FilePass", std::string("\x5C\x00\x70\x00", 4), 0,
                                   std::string("\x2F\x00", 2), workbookmessages::Encrypted}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorbel

namespace quorbel {
namespace {

std::string joined(const std::vector<std::string>& texts) {
    std::string line;
    for (const std::string& text : texts)
        line += text + "|";
    return line;
}

// Workbooks as real programs write them (tests/fixtures/mapping/producers):
// every sheet fills the same column names and cell texts whichever program
// and format saved it.
struct ProducerCase {
    const char* file;
    const char* sheet;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

const std::vector<std::string> samplesColumns{"原名", "新名", "公式", "数", "布尔", "日期", "常量"};
const std::vector<std::vector<std::string>> loSamples{
    {"a1", "新-a1", "a1-新-a1", "10", "TRUE", "2024-05-01", "TRUE"},
    {"b2", "新-b2", "b2-新-b2", "2.5", "FALSE", "2025-12-31", "FALSE"},
    {"样品3", "", "", "0.125", "FALSE", "1999-01-01", "7"},
    {"rich", "粗体字", "rich-粗体字", "", "", "", ""}};
const std::vector<std::string> sixColumns(samplesColumns.begin(), samplesColumns.end() - 1);
const std::vector<std::string> excelColumns{"原名",     "新名", "数",  "矩阵",
                                            "矩阵文本", "错误", "转义"};
const std::vector<std::vector<std::string>> loExcel{
    {"m1", "新-m1", "1", "10", "m1-m", "#DIV/0!", "_x0000_"},
    {"m2", "新-m2", "2", "20", "m2-m", "#N/A", "a_x005F_b"},
    {"m3", "新-m3", "3", "30", "m3-m", "#VALUE!", "_x4E2D_"},
    {"ref", "新-ref", "", "", "", "#REF!", ""},
    {"name", "新-name", "", "", "", "#NAME?", ""},
    {"num", "新-num", "", "", "", "#NUM!", ""},
    {"null", "新-null", "", "", "", "#NULL!", ""},
    {"merged", "新-merged", "", "", "", "", "after"}};
// Calc's .xls keeps only numbers as the results of a matrix formula: 0 for texts.
const std::vector<std::vector<std::string>> loExcelXls = [] {
    auto rows = loExcel;
    for (size_t row = 0; row < 3; ++row)
        rows[row][4] = "0";
    return rows;
}();

class ProducerTest : public ::testing::TestWithParam<ProducerCase> {};

TEST_P(ProducerTest, ColumnsAndCellTexts) {
    const ProducerCase& c = GetParam();
    const auto reader = openWorkbook(fixture(std::string("producers/") + c.file));
    const MappingTable table = reader->readSheet(c.sheet);
    EXPECT_EQ(table.columnNames(), c.columns);
    ASSERT_EQ(table.rowCount(), c.rows.size());
    for (size_t row = 0; row < c.rows.size(); ++row)
        EXPECT_EQ(joined(rowTexts(table, row)), joined(c.rows[row])) << "row " << row;
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, ProducerTest,
    ::testing::Values(
        ProducerCase{"lo-book.xls", "样品", samplesColumns, loSamples},
        ProducerCase{"lo-book.xlsx", "样品", samplesColumns, loSamples},
        ProducerCase{"lo-book.ods", "样品", samplesColumns, loSamples},
        // openpyxl stores formulas without their results, and every text inline.
        ProducerCase{"openpyxl-book.xlsx",
                     "样品",
                     sixColumns,
                     {{"a1", "新-a1", "", "10", "TRUE", "2024-05-01"},
                      {"b2", "新-b2", "", "2.5", "FALSE", "2025-12-31"},
                      {"样品3", "", "", "0.125", "", ""}}},
        ProducerCase{"openpyxl-1904.xlsx", "1904", {"名", "日期"}, {{"x", "2024-05-01"}}},
        // The table starts at C2; libxlsxwriter stores 0 as the result of ="".
        ProducerCase{"lxw-book.xlsx",
                     "样品",
                     sixColumns,
                     {{"a1", "新-a1", "a1-新-a1", "10", "TRUE", "2024-05-01"},
                      {"b2", "新-b2", "b2-新-b2", "2.5", "FALSE", "2025-12-31"},
                      {"样品3", "", "0", "0.125", "", ""}}},
        ProducerCase{"lxw-constant.xlsx",
                     "样品",
                     sixColumns,
                     {{"a1", "新-a1", "a1-新-a1", "10", "TRUE", "2024-05-01"},
                      {"b2", "新-b2", "b2-新-b2", "2.5", "FALSE", "2025-12-31"},
                      {"样品3", "", "0", "0.125", "", ""}}},
        // Cells without "r", rich runs in shared and inline strings, =TRUE().
        ProducerCase{"handmade-book.xlsx",
                     "无引用",
                     {"原名", "新名 ", "真"},
                     {{"k1", "富文本", "TRUE"}, {"k2", "xy", "FALSE"}, {"k3", "", "TRUE"}}},
        // Matrix formulas, every error, texts that look like escapes and a
        // merged cell, as Calc saves them in each format.
        ProducerCase{"lo-excel.xlsx", "特性", excelColumns, loExcel},
        ProducerCase{"lo-excel.ods", "特性", excelColumns, loExcel},
        ProducerCase{"lo-excel.xls", "特性", excelColumns, loExcelXls},
        // Array formulas over one and three cells and dynamic arrays, with
        // the results libxlsxwriter stores (only the first cell of a range).
        ProducerCase{"lxw-arrays.xlsx",
                     "数组",
                     {"原名", "新名", "数", "合计", "趋势", "排序", "唯一"},
                     {{"c3", "c3-新", "1", "14", "0", "3", "0"},
                      {"a1", "", "2", "20", "0", "0", ""},
                      {"b2", "", "3", "0", "0", "0", ""}}},
        // Laid out as Excel 365 saves: shared formulas, an array formula, a
        // spilled dynamic array, errors (#SPILL!, #CALC!), escapes in shared
        // and inline strings and in a formula's text result; the "_x12_"
        // and "_xZZZZ_" that are no escapes stay.
        ProducerCase{"excel-style.xlsx",
                     "样品",
                     {"原名", "新名", "合并", "合计", "排序", "错误", "转义"},
                     {{"c3", "新-c3", "c3-新-c3", "6", "a1", "#DIV/0!", "_x0000_"},
                      {"a1", "新-a1", "a1-新-a1", "", "b2", "#N/A", "a\rb"},
                      {"b2", "新-b2", "b2-新-b2", "", "c3", "#SPILL!", "中文"},
                      {"A5", "_x0031_-5", "", "", "", "#NAME?", "x_y"},
                      {"_x00", "lone _x12_ and _xZZZZ_", "", "", "", "#CALC!", ""}}},
        // The same saved again by Calc, which knows no SORT and recalculates:
        // its named ranges, filters, merged and conditional cells come along.
        ProducerCase{"excel-style.ods",
                     "样品",
                     {"原名", "新名", "合并", "合计", "排序", "错误", "转义"},
                     {{"c3", "新-c3", "c3-新-c3", "6", "#NAME?", "#DIV/0!", "_x0000_"},
                      {"a1", "新-a1", "a1-新-a1", "", "#NAME?", "#NAME?", "a\rb"},
                      {"b2", "新-b2", "b2-新-b2", "", "#NAME?", "#NAME?", "_x4E2D_文"},
                      {"_x0041_5", "_x005F_x0031_-5", "", "", "", "#NAME?", "x_y"},
                      {"_x00", "lone  and _xZZZZ_", "", "", "", "#VALUE!", ""}}}),
    [](const auto& info) {
        std::string name = info.param.file;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        }
        return name;
    });

// A what-if data table (<f t="dataTable">), which liborcus hands to an
// interface the reader leaves out: its cached values stay.
TEST(XlsxWorkbook, WhatIfTableKeepsItsValues) {
    const MappingTable table =
        openWorkbook(fixture("producers/excel-style.xlsx"))->readSheet("模拟");
    EXPECT_EQ(table.columnNames(), (std::vector<std::string>{"键", "值"}));
    ASSERT_EQ(table.rowCount(), 3u);
    EXPECT_EQ(joined(rowTexts(table, 1)), "2|4|");
    EXPECT_EQ(joined(rowTexts(table, 2)), "3|6|");
}

// 2000 rows of Chinese texts and two texts longer than a BIFF record: in the
// .xls the shared strings run over a dozen CONTINUE records, split inside
// strings, one of them across three records.
class LibreOfficeBookTest : public ::testing::TestWithParam<const char*> {};

TEST_P(LibreOfficeBookTest, ManyChineseAndLongTexts) {
    const auto reader = openWorkbook(fixture(std::string("producers/") + GetParam()));
    EXPECT_EQ(reader->sheetNames(), (std::vector<std::string>{"样品", "中文"}));
    const MappingTable table = reader->readSheet("中文");
    ASSERT_EQ(table.rowCount(), 2003u);
    using Row = std::vector<std::string>;
    EXPECT_EQ(rowTexts(table, 0), (Row{"样品零零零零", "新名称零零零零号"}));
    EXPECT_EQ(rowTexts(table, 1234), (Row{"样品一二三四", "新名称一二三四号"}));
    EXPECT_EQ(rowTexts(table, 1999), (Row{"样品一九九九", "新名称一九九九号"}));
    std::string twice;
    for (int i = 0; i < 2000; ++i)
        twice += "汉字";
    std::string long9000;
    for (int i = 0; i < 9000; ++i)
        long9000 += "长";
    EXPECT_EQ(rowTexts(table, 2000), (Row{"长文本一", long9000}));
    EXPECT_EQ(rowTexts(table, 2001), (Row{"长文本二", "A" + twice + "尾"}));
    EXPECT_EQ(rowTexts(table, 2002), (Row{"末行", "完"}));
}

// The mapping command through the real readers: formula results become new
// names, and a key that is not in the sheet keeps its name.
TEST_P(LibreOfficeBookTest, MapsFormulaResultsIntoNewNames) {
    const auto reader = openWorkbook(fixture(std::string("producers/") + GetParam()));
    const MappingTable samples = reader->readSheet("样品");
    RenameList list;
    list.setRowCount(5);
    const char* keys[] = {"a1", "rich", "zzz", "b2"};
    for (int row = 1; row < 5; ++row) {
        list.setCell(RenameList::OldName, row, keys[row - 1]);
        list.setCell(RenameList::NewName, row, "kept");
    }
    EXPECT_EQ(applyMapping(list, samples, samples.columnIndex("原名"), samples.columnIndex("公式"),
                           LocaleFormat{}),
              3);
    EXPECT_EQ(list.getCell(RenameList::NewName, 1), "a1-新-a1");
    EXPECT_EQ(list.getCell(RenameList::NewName, 2), "rich-粗体字");
    EXPECT_EQ(list.getCell(RenameList::NewName, 3), "kept");
    EXPECT_EQ(list.getCell(RenameList::NewName, 4), "b2-新-b2");

    const MappingTable chinese = reader->readSheet("中文");
    list.setCell(RenameList::OldName, 3, "样品一二三四");
    EXPECT_EQ(applyMapping(list, chinese, 0, 1, LocaleFormat{}), 1);
    EXPECT_EQ(list.getCell(RenameList::NewName, 3), "新名称一二三四号");
}

INSTANTIATE_TEST_SUITE_P(Fixtures, LibreOfficeBookTest,
                         ::testing::Values("lo-book.xls", "lo-book.xlsx", "lo-book.ods"),
                         [](const auto& info) { return std::string(info.param).substr(8); });

} // namespace
} // namespace quorbel
