// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main.h"
#include "platform/messageboxes.h"
#include "renamelist/renamelist.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

// The process's resident memory now and at its peak, in MB, from the kernel.
double statusMegabytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stod(line.substr(field.size() + 1)) / 1024.0;
    }
    return 0;
}

void reportMemory(benchmark::State& state) {
    state.counters["rss_mb"] = statusMegabytes("VmRSS");
    state.counters["peak_rss_mb"] = statusMegabytes("VmHWM");
}

std::vector<std::string> samplePaths(int count) {
    std::vector<std::string> paths;
    paths.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        // Scrambled numbers and names, so the sort has real work to do.
        const int n = static_cast<int>((static_cast<unsigned>(i) * 2654435761u) % 1000003u);
        const std::string name = n % 3 == 0 ? std::to_string(n) : "IMG_" + std::to_string(n);
        paths.push_back("/data/plate" + std::to_string(n % 7) + "/" + name + ".ab1");
    }
    return paths;
}

void BM_FillGrid(benchmark::State& state) {
    const auto paths = samplePaths(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        quorbel::RenameList list;
        list.fill(paths, quorbel::posixPathRule);
        benchmark::DoNotOptimize(list.getCell(2, 1));
    }
}
BENCHMARK(BM_FillGrid)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_HeaderClickSortByOriginalName(benchmark::State& state) {
    const auto paths = samplePaths(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        quorbel::RenameList list;
        list.fill(paths, quorbel::posixPathRule);
        list.OnClickSort = [&list](int) { list.renumberColumn(quorbel::RenameList::Number); };
        state.ResumeTiming();
        list.headerClick(quorbel::RenameList::OldName);
        benchmark::DoNotOptimize(list.getCell(2, 1));
    }
}
BENCHMARK(BM_HeaderClickSortByOriginalName)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

// The shown main window, for the same work through the model and the view.
struct ShownWindow {
    ShownWindow() : window(servicesWith(messages), quorbel::LocaleFormat{}) { window.show(); }
    static quorbel::Services servicesWith(quorbel::MessageBoxes& boxes) {
        quorbel::Services services;
        services.messages = &boxes;
        return services;
    }
    quorbel::QtMessageBoxes messages;
    quorbel::TfrmMain window;
};

void BM_FillGridThroughWindow(benchmark::State& state) {
    const auto paths = samplePaths(static_cast<int>(state.range(0)));
    ShownWindow shown;
    for (auto _ : state) {
        shown.window.fillGrid(paths);
        QCoreApplication::processEvents();
    }
    reportMemory(state);
}
// A million rows: the window must hold them in well under a third of a GB
// (the paths themselves, kept by the benchmark, count in the figure too).
BENCHMARK(BM_FillGridThroughWindow)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_HeaderClickSortThroughWindow(benchmark::State& state) {
    const auto paths = samplePaths(static_cast<int>(state.range(0)));
    ShownWindow shown;
    for (auto _ : state) {
        state.PauseTiming();
        shown.window.fillGrid(paths);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        shown.window.renameList().headerClick(quorbel::RenameList::OldName);
        QCoreApplication::processEvents();
    }
    reportMemory(state);
}
BENCHMARK(BM_HeaderClickSortThroughWindow)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
