// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/platefinder.h"
#include "mapping/sheetbuilder.h"
#include "mapping/workbookreader.h"

#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using quorbel::SheetCell;

// The most rows an .xls sheet holds but one: a list of samples above, a
// 384-well block in the last 17 rows, so the whole sheet has to be scanned.
constexpr int sheetRows = 65535;
constexpr int listRows = sheetRows - 17;

std::string numbered(const char* prefix, int i, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%0*d", prefix, width, i);
    return buffer;
}

// Calls put(row, column, cell) for every cell of the sheet.
template <typename Put> void layOut(Put&& put) {
    for (int i = 0; i < listRows; ++i) {
        put(i, 0, SheetCell{SheetCell::Type::Text, numbered("IMG_", i, 5), 0});
        put(i, 1, SheetCell{SheetCell::Type::Text, numbered("B", i, 5), 0});
        put(i, 2, SheetCell{SheetCell::Type::Number, {}, static_cast<double>(i)});
    }
    for (int c = 1; c <= 24; ++c)
        put(listRows, c, SheetCell{SheetCell::Type::Number, {}, static_cast<double>(c)});
    for (int r = 0; r < 16; ++r) {
        put(listRows + 1 + r, 0, SheetCell{SheetCell::Type::Text, std::string(1, 'A' + r), 0});
        for (int c = 1; c <= 24; ++c)
            put(listRows + 1 + r, c,
                SheetCell{SheetCell::Type::Text, numbered("Q", r * 24 + c, 3), 0});
    }
}

class PlateSheets {
public:
    PlateSheets() {
        dir_ = fs::temp_directory_path() / ("quorbel-plate-bench-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        const fs::path script = fs::path(__FILE__).parent_path() / "make_plate_sheet.py";
        const std::string command = "/usr/bin/python3 '" + script.string() + "' '" + xls() + "' " +
                                    std::to_string(sheetRows);
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("python3-xlwt could not write " + xls());
        writeXlsx();
    }
    ~PlateSheets() { fs::remove_all(dir_); }
    std::string xls() const { return (dir_ / "plate.xls").string(); }
    std::string xlsx() const { return (dir_ / "plate.xlsx").string(); }

private:
    void writeXlsx() const {
        lxw_workbook* book = workbook_new(xlsx().c_str());
        lxw_worksheet* sheet = workbook_add_worksheet(book, "板图");
        layOut([&](int row, int column, const SheetCell& cell) {
            const auto r = static_cast<lxw_row_t>(row);
            const auto c = static_cast<lxw_col_t>(column);
            if (cell.type == SheetCell::Type::Number)
                worksheet_write_number(sheet, r, c, cell.number, nullptr);
            else
                worksheet_write_string(sheet, r, c, cell.text.c_str(), nullptr);
        });
        if (workbook_close(book) != LXW_NO_ERROR)
            throw std::runtime_error("libxlsxwriter could not write " + xlsx());
    }

    fs::path dir_;
};

const PlateSheets& sheets() {
    static const PlateSheets instance;
    return instance;
}

void checkFound(benchmark::State& state, const std::vector<quorbel::PlateBlock>& blocks) {
    if (blocks.size() != 1 || blocks[0].rows() != 16 || blocks[0].columns() != 24)
        state.SkipWithError("the 384-well block was not found");
}

// The scan alone, on a sheet as a reader delivers it.
void BM_FindPlateInLargeSheet(benchmark::State& state) {
    quorbel::SheetBuilder builder;
    layOut([&](int row, int column, const SheetCell& cell) {
        builder.add(static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(column), cell);
    });
    const quorbel::MappingTable table = builder.build();
    std::vector<quorbel::PlateBlock> blocks;
    for (auto _ : state) {
        blocks = quorbel::findPlateBlocks(table);
        benchmark::DoNotOptimize(blocks.data());
    }
    checkFound(state, blocks);
    state.counters["rows"] = static_cast<double>(table.rowCount() + 1);
}
BENCHMARK(BM_FindPlateInLargeSheet)->Unit(benchmark::kMillisecond);

// What choosing the sheet costs in the window and the command line: open the
// workbook, read the sheet and find its blocks.
void readPlate(benchmark::State& state, const std::string& path) {
    std::vector<quorbel::PlateBlock> blocks;
    for (auto _ : state) {
        const auto reader = quorbel::openWorkbook(path);
        blocks = quorbel::findPlateBlocks(reader->readSheet("板图"));
    }
    checkFound(state, blocks);
}

void BM_ReadPlateFromLargeXls(benchmark::State& state) {
    readPlate(state, sheets().xls());
}
BENCHMARK(BM_ReadPlateFromLargeXls)->Unit(benchmark::kMillisecond);

void BM_ReadPlateFromLargeXlsx(benchmark::State& state) {
    readPlate(state, sheets().xlsx());
}
BENCHMARK(BM_ReadPlateFromLargeXlsx)->Unit(benchmark::kMillisecond);

} // namespace
