// SPDX-License-Identifier: GPL-3.0-or-later
// The export of a long list to .xls and .xlsx, each beside a plain write of the
// list's bytes to a file (the floor any export pays on this machine), and the
// export's peak memory as a multiple of the list's text.
#include "export/exportlist.h"
#include "renamelist/renamelist.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using quorbel::ExportFormat;
using quorbel::RenameList;

constexpr int xlsRows = 65535; // file rows: with the header the most an .xls sheet holds
constexpr int xlsxRows = 100000;

// A list as a fill and the numbering leave it, with a run's result words.
const RenameList& sampleList(int rows) {
    static std::map<int, RenameList> lists;
    auto [it, added] = lists.try_emplace(rows);
    if (!added)
        return it->second;
    RenameList& list = it->second;
    std::vector<std::string> paths;
    char name[64];
    for (int i = 1; i <= rows; ++i) {
        std::snprintf(name, sizeof name, "/home/lab/2024-05-01/traces/样品_%06d.ab1", i);
        paths.emplace_back(name);
    }
    list.fill(paths, quorbel::posixPathRule);
    for (int row = 1; row <= rows; ++row) {
        std::snprintf(name, sizeof name, "B%06d", row);
        list.setCell(RenameList::NewName, row, name);
        list.setCell(RenameList::Result, row, "成功");
    }
    return list;
}

size_t textBytes(const RenameList& list) {
    size_t bytes = 0;
    for (int row = 0; row < list.RowCount(); ++row) {
        for (int column = 0; column < RenameList::ColCount; ++column)
            bytes += list.getCell(column, row).size();
    }
    return bytes;
}

fs::path target(const char* name) {
    return fs::temp_directory_path() /
           ("quorbel-export-bench-" + std::to_string(::getpid()) + name);
}

long statusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    }
    return 0;
}

// Peak resident memory the export adds: the kernel's high-water mark, reset
// just before, against the resident size at the start.
double peakGrowthBytes(const RenameList& list, const fs::path& path, ExportFormat format) {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusKiB("VmRSS:");
    quorbel::exportList(list, path.string(), format);
    return static_cast<double>(statusKiB("VmHWM:") - before) * 1024;
}

void exportBenchmark(benchmark::State& state, int rows, ExportFormat format, const char* suffix) {
    const RenameList& list = sampleList(rows);
    const fs::path path = target(suffix);
    for (auto _ : state)
        quorbel::exportList(list, path.string(), format);
    const double text = static_cast<double>(textBytes(list));
    const double peak = peakGrowthBytes(list, path, format);
    state.counters["text_MB"] = text / 1e6;
    state.counters["file_MB"] = static_cast<double>(fs::file_size(path)) / 1e6;
    state.counters["peak_rss_growth_MB"] = peak / 1e6;
    state.counters["peak_per_text"] = peak / text;
    fs::remove(path);
}

// The list's bytes straight to a file, synced as the export syncs.
void writeBenchmark(benchmark::State& state, int rows) {
    const RenameList& list = sampleList(rows);
    const fs::path path = target(".txt");
    std::string all;
    for (auto _ : state) {
        all.clear();
        for (int row = 0; row < list.RowCount(); ++row) {
            for (int column = 0; column < RenameList::ColCount; ++column)
                all += list.getCell(column, row);
        }
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(::write(fd, all.data(), all.size()));
        ::fsync(fd);
        ::close(fd);
    }
    fs::remove(path);
}

void BM_ExportXls65535Rows(benchmark::State& state) {
    exportBenchmark(state, xlsRows, ExportFormat::Xls, ".xls");
}
void BM_WriteText65535Rows(benchmark::State& state) {
    writeBenchmark(state, xlsRows);
}
void BM_ExportXlsx100000Rows(benchmark::State& state) {
    exportBenchmark(state, xlsxRows, ExportFormat::Xlsx, ".xlsx");
}
void BM_WriteText100000Rows(benchmark::State& state) {
    writeBenchmark(state, xlsxRows);
}

} // namespace

BENCHMARK(BM_ExportXls65535Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteText65535Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportXlsx100000Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteText100000Rows)->Unit(benchmark::kMillisecond);
