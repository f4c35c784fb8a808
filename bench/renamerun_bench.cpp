#include "app/main.h"
#include "global/localeformat.h"
#include "global/pathsplit.h"
#include "platform/posixfilesystem.h"
#include "platform/shellopener.h"
#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"

#include <QApplication>

#include <benchmark/benchmark.h>

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

BENCHMARK(BM_BareRenameat2Loop)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenameRunCore)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenameRunThroughWindow)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
