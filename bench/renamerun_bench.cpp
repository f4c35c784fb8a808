#include "app/main.h"
#include "global/localeformat.h"
#include "global/pathsplit.h"
#include "platform/posixfilesystem.h"
#include "platform/shellopener.h"
#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int fileCount = 100000;

// One temporary directory of empty files IMG_<i>.jpg, and the names B<i>.jpg
// they are renamed to. Every benchmark builds its own identical copy.
class RenameDirectory {
public:
    RenameDirectory() {
        std::string pattern = (fs::temp_directory_path() / "quorbel-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        prefix_ = pattern + "/";
        for (int i = 0; i < fileCount; ++i) {
            oldPaths_.push_back(prefix_ + "IMG_" + std::to_string(i) + ".jpg");
            newPaths_.push_back(prefix_ + "B" + std::to_string(i) + ".jpg");
            const int fd = ::open(oldPaths_.back().c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644);
            if (fd < 0)
                throw std::runtime_error("cannot create " + oldPaths_.back());
            ::close(fd);
        }
    }
    ~RenameDirectory() {
        std::error_code ignored;
        fs::remove_all(prefix_, ignored);
    }
    RenameDirectory(const RenameDirectory&) = delete;
    RenameDirectory& operator=(const RenameDirectory&) = delete;

    const std::vector<std::string>& oldPaths() const { return oldPaths_; }
    const std::vector<std::string>& newPaths() const { return newPaths_; }

    // Puts every file back under its old name, outside the timed part.
    void restore() const {
        for (size_t i = 0; i < oldPaths_.size(); ++i)
            ::renameat2(AT_FDCWD, newPaths_[i].c_str(), AT_FDCWD, oldPaths_[i].c_str(),
                        RENAME_NOREPLACE);
    }

private:
    std::string prefix_;
    std::vector<std::string> oldPaths_;
    std::vector<std::string> newPaths_;
};

void setNewNames(quorbel::RenameList& list) {
    list.beginUpdate();
    for (int row = 1; row < list.RowCount(); ++row) {
        list.setCell(quorbel::RenameList::OldName, row, "IMG_" + std::to_string(row - 1));
        list.setCell(quorbel::RenameList::NewName, row, "B" + std::to_string(row - 1));
        list.setCell(quorbel::RenameList::Result, row, "");
    }
    list.endUpdate();
}

void checkAllRenamed(benchmark::State& state, int renamed) {
    if (renamed != fileCount)
        state.SkipWithError("not every file was renamed");
}

void BM_BareRenameat2Loop(benchmark::State& state) {
    RenameDirectory dir;
    const auto& from = dir.oldPaths();
    const auto& to = dir.newPaths();
    for (auto _ : state) {
        int renamed = 0;
        for (size_t i = 0; i < from.size(); ++i)
            renamed += ::renameat2(AT_FDCWD, from[i].c_str(), AT_FDCWD, to[i].c_str(),
                                   RENAME_NOREPLACE) == 0;
        state.PauseTiming();
        checkAllRenamed(state, renamed);
        dir.restore();
        state.ResumeTiming();
    }
}

void BM_RenameRunCore(benchmark::State& state) {
    RenameDirectory dir;
    quorbel::RenameList list;
    list.fill(dir.oldPaths(), quorbel::posixPathRule);
    for (auto _ : state) {
        state.PauseTiming();
        setNewNames(list);
        state.ResumeTiming();
        const auto summary = quorbel::RenameRun(list, quorbel::posixFileSystem()).run();
        state.PauseTiming();
        checkAllRenamed(state, summary.renamed);
        dir.restore();
        state.ResumeTiming();
    }
}

class NoShell : public quorbel::ShellOpener {
public:
    void open(const std::string&) override {}
};

// The whole command as the user starts it: shell request, wait cursor, progress
// bar, grid refresh, failure list and status text around the core.
void BM_RenameRunThroughWindow(benchmark::State& state) {
    RenameDirectory dir;
    NoShell shell;
    quorbel::Services services;
    services.shell = &shell;
    quorbel::TfrmMain window(services, quorbel::LocaleFormat{});
    window.show();
    window.fillGrid(dir.oldPaths());
    for (auto _ : state) {
        state.PauseTiming();
        setNewNames(window.renameList());
        QApplication::processEvents();
        state.ResumeTiming();
        window.actRenameExecute();
        QApplication::processEvents();
        state.PauseTiming();
        if (window.statusText() != QStringLiteral("成功替换 100000 个文件"))
            state.SkipWithError("not every file was renamed");
        dir.restore();
        state.ResumeTiming();
    }
}

// The machine is shared, so load drifts between benchmarks. This one runs the
// three contenders back to back inside every iteration, in rotating order, over
// three identical directories, and reports the ratios of their summed times.
class PairedRun {
public:
    PairedRun() : window_(services(), quorbel::LocaleFormat{}) {
        window_.show();
        window_.fillGrid(windowDir_.oldPaths());
        coreList_.fill(coreDir_.oldPaths(), quorbel::posixPathRule);
    }

    double bare() {
        const auto& from = bareDir_.oldPaths();
        const auto& to = bareDir_.newPaths();
        return timed([&] {
            for (size_t i = 0; i < from.size(); ++i)
                ::renameat2(AT_FDCWD, from[i].c_str(), AT_FDCWD, to[i].c_str(), RENAME_NOREPLACE);
        });
    }
    double core() {
        setNewNames(coreList_);
        return timed([&] { quorbel::RenameRun(coreList_, quorbel::posixFileSystem()).run(); });
    }
    double window() {
        setNewNames(window_.renameList());
        QApplication::processEvents();
        return timed([&] {
            window_.actRenameExecute();
            QApplication::processEvents();
        });
    }
    void restore() const {
        bareDir_.restore();
        coreDir_.restore();
        windowDir_.restore();
    }

private:
    quorbel::Services services() {
        quorbel::Services result;
        result.shell = &shell_;
        return result;
    }
    template <typename Work> static double timed(Work work) {
        const auto start = std::chrono::steady_clock::now();
        work();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    RenameDirectory bareDir_;
    RenameDirectory coreDir_;
    RenameDirectory windowDir_;
    NoShell shell_;
    quorbel::RenameList coreList_;
    quorbel::TfrmMain window_;
};

void BM_RenameRunPaired(benchmark::State& state) {
    PairedRun paired;
    double bare = 0, core = 0, window = 0;
    int turn = 0;
    for (auto _ : state) {
        double times[3] = {};
        for (int k = 0; k < 3; ++k) {
            const int which = (turn + k) % 3;
            times[which] = which == 0   ? paired.bare()
                           : which == 1 ? paired.core()
                                        : paired.window();
        }
        ++turn;
        bare += times[0];
        core += times[1];
        window += times[2];
        state.SetIterationTime(times[0] + times[1] + times[2]);
        paired.restore();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["bare_ms"] = bare / n * 1000;
    state.counters["core_ms"] = core / n * 1000;
    state.counters["window_ms"] = window / n * 1000;
    state.counters["core_ratio"] = core / bare;
    state.counters["window_ratio"] = window / bare;
}

BENCHMARK(BM_BareRenameat2Loop)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenameRunCore)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenameRunThroughWindow)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenameRunPaired)->Iterations(6)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace
