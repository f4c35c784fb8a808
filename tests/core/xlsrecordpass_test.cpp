// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/celltext.h"
#include "mapping/sheetbuilder.h"
#include "mapping/workbookreader.h"
#include "mapping/xlsguard.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace quorbel {
namespace {

std::string fixture(const std::string& name) {
    return std::string(QUORBEL_FIXTURES) + "/mapping/" + name;
}

std::string content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Every cell as the mapping shows it, with its kind, row by row.
std::vector<std::string> shown(const MappingTable& table) {
    std::vector<std::string> lines;
    std::string header;
    for (size_t column = 0; column < table.columnNames().size(); ++column)
        header += table.columnNames()[column] + "/" +
                  std::to_string(static_cast<int>(table.kind(static_cast<int>(column)))) + "|";
    lines.push_back(header);
    for (size_t row = 0; row < table.rowCount(); ++row) {
        std::string line;
        for (size_t column = 0; column < table.columnNames().size(); ++column) {
            const SheetCell& cell = table.cell(row, static_cast<int>(column));
            line += std::to_string(static_cast<int>(cell.type)) + ":" +
                    cellText(cell, LocaleFormat{}) + "|";
        }
        lines.push_back(line);
    }
    return lines;
}

// Where FreeXL cannot read a valid file the record pass reads all of it, so
// on every file FreeXL does read both must give the same sheets and cells.
class XlsRecordPassTest : public ::testing::TestWithParam<const char*> {};

TEST_P(XlsRecordPassTest, ReadsWhatFreeXlReads) {
    const std::string path = fixture(GetParam());
    const auto reader = openWorkbook(path);
    XlsCheck all = checkXlsFile(content(path), true);
    std::vector<std::string> names;
    for (const XlsSheet& sheet : all.sheets)
        names.push_back(sheet.name);
    ASSERT_EQ(names, reader->sheetNames());
    for (const XlsSheet& sheet : all.sheets) {
        SheetBuilder builder;
        for (const XlsCell& cell : all.cells) {
            if (cell.sheet == sheet.index)
                builder.add(cell.row, cell.column, cell.cell);
        }
        EXPECT_EQ(shown(builder.build()), shown(reader->readSheet(sheet.name))) << sheet.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, XlsRecordPassTest,
                         ::testing::Values("mapping.xls", "layout.xls", "producers/lo-book.xls",
                                           "producers/lo-excel.xls", "codepage-1200.xls",
                                           "excel95-cp1252.xls"),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             }
                             return name;
                         });

// A workbook saved with the UTF-16 code page and German sheet names, once as
// FreeXL reads it and once with a DIMENSION record one column short, which
// LibreOffice reads whole and FreeXL opens without then giving any sheet,
// and once with the second sheet's DIMENSION record missing (the same);
// and as Excel 5.0/95 saves it, in Windows-1252, where the Chinese text would
// not fit and "Œuvre" (0x8C) takes its place.
struct CodepageCase {
    const char* file;
    const char* text;
};

class CodepageWorkbookTest : public ::testing::TestWithParam<CodepageCase> {};

TEST_P(CodepageWorkbookTest, EverySheetAndCell) {
    const auto reader = openWorkbook(fixture(GetParam().file));
    const std::vector<std::string> names{"Übersicht", "Größen", "Maße", "Änderungen"};
    ASSERT_EQ(reader->sheetNames(), names);
    for (size_t sheet = 0; sheet < names.size(); ++sheet) {
        const MappingTable table = reader->readSheet(names[sheet]);
        EXPECT_EQ(table.columnNames(),
                  (std::vector<std::string>{"Datei", "Neu", "Größe-1", "F4", "F5"}));
        const std::vector<std::vector<std::string>> rows{
            {"Müller", GetParam().text, std::to_string(sheet + 2) + ".5", "2024-05-01", ""},
            {"Bäcker", "Bäcker-neu", "7", "TRUE", ""},
            {"Straße", "#DIV/0!", "11", "12", "#N/A"}};
        ASSERT_EQ(table.rowCount(), rows.size());
        for (size_t row = 0; row < rows.size(); ++row) {
            std::vector<std::string> texts;
            for (int column = 0; column < 5; ++column)
                texts.push_back(cellText(table.cell(row, column), LocaleFormat{}));
            EXPECT_EQ(texts, rows[row]) << names[sheet] << " row " << row;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, CodepageWorkbookTest,
                         ::testing::Values(CodepageCase{"codepage-1200.xls", "样品"},
                                           CodepageCase{"codepage-1200-freexl-fails.xls", "样品"},
                                           CodepageCase{"codepage-1200-no-dimension.xls", "样品"},
                                           CodepageCase{"excel95-cp1252.xls", "Œuvre"}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             }
                             return name;
                         });

} // namespace
} // namespace quorbel
