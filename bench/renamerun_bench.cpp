// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main.h"
#include "global/localeformat.h"
#include "global/pathsplit.h"
#include "platform/posixfilesystem.h"
#include "platform/shellopener.h"
#include "renamelist/journalstore.h"
#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"
#include "renamelist/runcheck.h"

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
            oldNames_.push_back("IMG_" + std::to_string(i) + ".jpg");
            newNames_.push_back("B" + std::to_string(i) + ".jpg");
            oldPaths_.push_back(prefix_ + oldNames_.back());
            newPaths_.push_back(prefix_ + newNames_.back());
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

    // The floor: one handle of the directory, then each rename by bare name,
    // as a loop relative to the current directory would do it.
    int renameRelative() const {
        const int dir = ::open(prefix_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        int renamed = 0;
        for (size_t i = 0; i < oldNames_.size(); ++i)
            renamed += ::renameat2(dir, oldNames_[i].c_str(), dir, newNames_[i].c_str(),
                                   RENAME_NOREPLACE) == 0;
        ::close(dir);
        return renamed;
    }

    // Puts every file back under its old name, outside the timed part.
    void restore() const {
        for (size_t i = 0; i < oldPaths_.size(); ++i)
            ::renameat2(AT_FDCWD, newPaths_[i].c_str(), AT_FDCWD, oldPaths_[i].c_str(),
                        RENAME_NOREPLACE);
    }

private:
    std::string prefix_;
    std::vector<std::string> oldNames_;
    std::vector<std::string> newNames_;
    std::vector<std::string> oldPaths_;
    std::vector<std::string> newPaths_;
};

// The run's journal goes to a temporary state directory on the same file
// system as the files, never to the user's own.
class StateDirectory {
public:
    StateDirectory() {
        std::string pattern = (fs::temp_directory_path() / "quorbel-state-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~StateDirectory() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    StateDirectory(const StateDirectory&) = delete;
    StateDirectory& operator=(const StateDirectory&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
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
    for (auto _ : state) {
        const int renamed = dir.renameRelative();
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
    StateDirectory journal;
    NoShell shell;
    quorbel::Services services;
    services.shell = &shell;
    services.journalDirectory = journal.path();
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
// contenders back to back inside every iteration, in rotating order, over
// identical directories, and reports the ratios of their summed times: the
// bare loop (relative names in one directory handle), the core without and
// with its journal, and the window command (which always keeps the journal);
// the three list absolute paths, as the window always does.
class PairedRun {
public:
    static constexpr int contenders = 4;

    PairedRun() : journalStore_(stateDir_.path()), window_(services(), quorbel::LocaleFormat{}) {
        window_.show();
    }

    // Each contender gets another directory every iteration: directories made
    // one after the other lie in different places on the disk, and a
    // contender kept on one of them would carry that place into its ratio.
    double run(int contender, int turn) {
        const RenameDirectory& dir = dirs_[(contender + turn) % contenders];
        switch (contender) {
        case 0:
            return timed([&] { dir.renameRelative(); });
        case 1:
            coreList_.fill(dir.oldPaths(), quorbel::posixPathRule);
            return core();
        case 2:
            journaledList_.fill(dir.oldPaths(), quorbel::posixPathRule);
            return journaled();
        default:
            window_.fillGrid(dir.oldPaths());
            return window();
        }
    }
    // The renames back reach the disk before the next iteration, so their
    // writeback never falls into the next contender's time.
    void restore() const {
        for (const RenameDirectory& dir : dirs_)
            dir.restore();
        ::sync();
    }

private:
    double core() {
        setNewNames(coreList_);
        return timed([&] { quorbel::RenameRun(coreList_, quorbel::posixFileSystem()).run(); });
    }
    // Taking the history's lock, opening the journal and settling the history
    // are part of the run's cost, so they are timed too; so is the identity of
    // every file, taken before its rename.
    double journaled() {
        setNewNames(journaledList_);
        return timed([&] {
            bool busy = false;
            std::string error;
            const auto lock = journalStore_.lock(busy, error);
            const auto journal = journalStore_.start(*lock, error);
            const auto summary =
                quorbel::RenameRun(journaledList_, quorbel::posixFileSystem(), journal.get()).run();
            journalStore_.settle(journal->path(), summary.renamed > 0);
        });
    }
    double window() {
        setNewNames(window_.renameList());
        QApplication::processEvents();
        return timed([&] {
            window_.actRenameExecute();
            QApplication::processEvents();
        });
    }
    quorbel::Services services() {
        quorbel::Services result;
        result.shell = &shell_;
        result.journalDirectory = windowStateDir_.path();
        return result;
    }
    template <typename Work> static double timed(Work work) {
        const auto start = std::chrono::steady_clock::now();
        work();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    RenameDirectory dirs_[contenders];
    StateDirectory stateDir_;
    StateDirectory windowStateDir_;
    quorbel::JournalStore journalStore_;
    NoShell shell_;
    quorbel::RenameList coreList_;
    quorbel::RenameList journaledList_;
    quorbel::TfrmMain window_;
};

void BM_RenameRunPaired(benchmark::State& state) {
    PairedRun paired;
    double total[PairedRun::contenders] = {};
    int turn = 0;
    for (auto _ : state) {
        double times[PairedRun::contenders] = {};
        for (int k = 0; k < PairedRun::contenders; ++k) {
            const int which = (turn + k) % PairedRun::contenders;
            times[which] = paired.run(which, turn);
        }
        ++turn;
        double sum = 0;
        for (int k = 0; k < PairedRun::contenders; ++k) {
            total[k] += times[k];
            sum += times[k];
        }
        state.SetIterationTime(sum);
        paired.restore();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["bare_ms"] = total[0] / n * 1000;
    state.counters["core_ms"] = total[1] / n * 1000;
    state.counters["journaled_ms"] = total[2] / n * 1000;
    state.counters["window_ms"] = total[3] / n * 1000;
    state.counters["core_ratio"] = total[1] / total[0];
    state.counters["journaled_ratio"] = total[2] / total[0];
    state.counters["journaled_over_core"] = total[2] / total[1];
    state.counters["window_ratio"] = total[3] / total[0];
}

// The check before the run over the same 100,000 files: one listing of the
// directory, then every row in memory.
void BM_PrecheckCore(benchmark::State& state) {
    RenameDirectory dir;
    quorbel::RenameList list;
    list.fill(dir.oldPaths(), quorbel::posixPathRule);
    setNewNames(list);
    for (auto _ : state) {
        const auto prediction = quorbel::predictRun(list, quorbel::posixFileSystem());
        if (prediction.renamed != fileCount)
            state.SkipWithError("the check predicted failures");
    }
}

// The same as the user starts it: the words written into every row, the
// failure list and the status text.
void BM_PrecheckThroughWindow(benchmark::State& state) {
    RenameDirectory dir;
    NoShell shell;
    quorbel::Services services;
    services.shell = &shell;
    quorbel::TfrmMain window(services, quorbel::LocaleFormat{});
    window.show();
    window.fillGrid(dir.oldPaths());
    setNewNames(window.renameList());
    QApplication::processEvents();
    for (auto _ : state) {
        window.actPrecheckExecute();
        QApplication::processEvents();
        if (window.statusText() != QStringLiteral("预检: 100000 个文件可以换名, 0 个将失败"))
            state.SkipWithError("the check predicted failures");
    }
}

BENCHMARK(BM_BareRenameat2Loop)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenameRunCore)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenameRunThroughWindow)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
// A multiple of the contenders, so each comes first, second, third and last
// equally often.
BENCHMARK(BM_RenameRunPaired)->Iterations(8)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_PrecheckCore)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PrecheckThroughWindow)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
