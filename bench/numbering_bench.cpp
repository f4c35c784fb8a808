// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/pathsplit.h"
#include "numbering/namegenerator.h"
#include "renamelist/renamelist.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// What the numbering command does once its dialog closed with OK: generate the
// names for the whole list and write them into the new-name column.
void BM_NumberWholeList(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    std::vector<std::string> paths;
    paths.reserve(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i)
        paths.push_back("/data/plate/IMG_" + std::to_string(i) + ".jpg");
    quorbel::RenameList list;
    list.fill(paths, quorbel::posixPathRule);
    const std::string prefix = "B";
    const std::string start = "01";
    for (auto _ : state) {
        auto names = quorbel::generateNames({prefix, start, 1, 1, rows, list.RowCount() - 1});
        quorbel::writeNewNames(list, std::move(*names));
        benchmark::DoNotOptimize(list.getCell(quorbel::RenameList::NewName, rows));
    }
}
BENCHMARK(BM_NumberWholeList)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
