// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/localeformat.h"
#include "mapping/applymapping.h"
#include "mapping/workbookreader.h"
#include "renamelist/renamelist.h"

#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int sheetRows = 65535; // header included: the most an .xls sheet holds but one
constexpr int listRows = 100000;

std::string cellName(const char* prefix, int i) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%05d", prefix, i);
    return buffer;
}

// The same sheet as .xls (python3-xlwt, a real writer of the 97-2003 format)
// and as .xlsx (libxlsxwriter), written once per run into a temporary folder.
class SampleSheets {
public:
    SampleSheets() {
        dir_ = fs::temp_directory_path() / ("quorbel-mapping-bench-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        const fs::path script = fs::path(__FILE__).parent_path() / "make_mapping_sheet.py";
        const std::string command = "/usr/bin/python3 '" + script.string() + "' '" + xls() + "' " +
                                    std::to_string(sheetRows);
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("python3-xlwt could not write " + xls());
        writeXlsx();
    }
    ~SampleSheets() { fs::remove_all(dir_); }
    std::string xls() const { return (dir_ / "mapping.xls").string(); }
    std::string xlsx() const { return (dir_ / "mapping.xlsx").string(); }

private:
    void writeXlsx() const {
        lxw_workbook* book = workbook_new(xlsx().c_str());
        lxw_worksheet* sheet = workbook_add_worksheet(book, "名单");
        worksheet_write_string(sheet, 0, 0, "old", nullptr);
        worksheet_write_string(sheet, 0, 1, "new", nullptr);
        for (int i = 0; i < sheetRows - 1; ++i) {
            worksheet_write_string(sheet, static_cast<lxw_row_t>(i + 1), 0,
                                   cellName("IMG_", i).c_str(), nullptr);
            worksheet_write_string(sheet, static_cast<lxw_row_t>(i + 1), 1,
                                   cellName("B", i).c_str(), nullptr);
        }
        if (workbook_close(book) != LXW_NO_ERROR)
            throw std::runtime_error("libxlsxwriter could not write " + xlsx());
    }

    fs::path dir_;
};

const SampleSheets& sheets() {
    static const SampleSheets instance;
    return instance;
}

// 100,000 file rows; about two in three find their name in the sheet.
quorbel::RenameList sampleList() {
    quorbel::RenameList list;
    list.setRowCount(listRows + 1);
    for (int row = 1; row <= listRows; ++row)
        list.setCell(quorbel::RenameList::OldName, row, cellName("IMG_", row - 1));
    return list;
}

// What the mapping command costs once the sheet is chosen: open the workbook,
// read the sheet, build the index and fill the new names.
void mapFrom(benchmark::State& state, const std::string& path) {
    quorbel::RenameList list = sampleList();
    int matches = 0;
    for (auto _ : state) {
        const auto reader = quorbel::openWorkbook(path);
        const quorbel::MappingTable table = reader->readSheet("名单");
        matches = quorbel::applyMapping(list, table, 0, 1, quorbel::LocaleFormat{});
    }
    if (matches != sheetRows - 1)
        state.SkipWithError("unexpected match count");
    state.counters["matches"] = matches;
}

void BM_MapListFromXls(benchmark::State& state) {
    mapFrom(state, sheets().xls());
}
BENCHMARK(BM_MapListFromXls)->Unit(benchmark::kMillisecond);

void BM_MapListFromXlsx(benchmark::State& state) {
    mapFrom(state, sheets().xlsx());
}
BENCHMARK(BM_MapListFromXlsx)->Unit(benchmark::kMillisecond);

} // namespace
