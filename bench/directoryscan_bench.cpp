// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main.h"
#include "intake/directoryscan.h"
#include "platform/messageboxes.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int folderSize = 100000;
constexpr int matching = 20000;

// 100,000 empty files made once: every fifth is a trace file, the rest are
// sequences, texts and pictures, in mixed letter case and scrambled numbering
// so that neither the listing nor the sort sees them in order.
class BigFolder {
public:
    BigFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("quorbel-bench-dir-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
        const char* others[] = {".seq", ".txt", ".JPG", ".Seq"};
        for (int i = 0; i < folderSize; ++i) {
            // 1000003 is prime, so each i gets its own n: every name is distinct.
            const unsigned n = static_cast<unsigned>(i) * 7919u % 1000003u;
            const std::string stem =
                (n % 2 ? "Plate" : "plate") + std::to_string(n % 97) + "_" + std::to_string(n);
            const std::string extension = i % 5 == 0 ? (n % 3 ? ".ab1" : ".AB1") : others[n % 4];
            const int fd = ::open((path_ / (stem + extension)).c_str(), O_CREAT | O_WRONLY, 0644);
            if (fd >= 0)
                ::close(fd);
        }
    }
    ~BigFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

std::string bigFolder() {
    static const BigFolder folder;
    return folder.path();
}

// Baseline: the bare listing of the same folder, nothing selected or sorted;
// the scan's cost over it is what the selection and the collation add.
void BM_BareDirectoryListing(benchmark::State& state) {
    const std::string folder = bigFolder();
    for (auto _ : state) {
        DIR* dir = ::opendir(folder.c_str());
        size_t entries = 0;
        while (::readdir(dir))
            ++entries;
        ::closedir(dir);
        if (entries != folderSize + 2)
            state.SkipWithError("the listing missed files");
    }
}
BENCHMARK(BM_BareDirectoryListing)->Unit(benchmark::kMillisecond);

void BM_DirectoryScanSorted(benchmark::State& state) {
    const std::string folder = bigFolder();
    for (auto _ : state) {
        const std::vector<std::string> paths = quorbel::scanDirectory(folder, "*.ab1");
        if (paths.size() != matching)
            state.SkipWithError("the scan missed files");
        benchmark::DoNotOptimize(paths.data());
    }
}
BENCHMARK(BM_DirectoryScanSorted)->Unit(benchmark::kMillisecond);

// The whole import as the command runs it after OK: scan, sort and fill the
// shown window's list.
void BM_DirectoryImportThroughWindow(benchmark::State& state) {
    const std::string folder = bigFolder();
    quorbel::QtMessageBoxes messages;
    quorbel::Services services;
    services.messages = &messages;
    quorbel::TfrmMain window(services, quorbel::LocaleFormat{});
    window.show();
    for (auto _ : state) {
        window.fillGrid(quorbel::scanDirectory(folder, "*.ab1"));
        QCoreApplication::processEvents();
        if (window.renameList().RowCount() != matching + 1)
            state.SkipWithError("the list missed files");
    }
}
BENCHMARK(BM_DirectoryImportThroughWindow)->Unit(benchmark::kMillisecond);

} // namespace
