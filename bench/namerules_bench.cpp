// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/pathsplit.h"
#include "numbering/datenamer.h"
#include "numbering/namereplacer.h"
#include "platform/posixfilesystem.h"
#include "preview/exifdate.h"
#include "renamelist/renamelist.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <stdlib.h>

namespace {

namespace fs = std::filesystem;

// What 查找替换 does once its dialog closed with OK: every name of the list
// through a compiled expression with a group, and the new-name column written.
void BM_RegexReplace(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    std::vector<std::string> paths;
    paths.reserve(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i)
        paths.push_back("/data/photos/IMG_" + std::to_string(10000 + i) + ".jpg");
    quorbel::RenameList list;
    list.fill(paths, quorbel::posixPathRule);
    quorbel::NameReplacer replacer({R"(^IMG_(\d+)$)", "trip_$1", true, true});
    for (auto _ : state) {
        quorbel::ReplacedNames result = quorbel::replaceNames(list, replacer);
        quorbel::writeNewNames(list, std::move(result.names));
        benchmark::DoNotOptimize(list.getCell(quorbel::RenameList::NewName, rows));
    }
}
BENCHMARK(BM_RegexReplace)->Arg(100000)->Unit(benchmark::kMillisecond);

// A folder of camera photographs: the committed photo (a 30 KB camera-style
// EXIF block with a thumbnail, then the picture) made as long as a 24-megapixel
// camera's JPEG by a sparse tail, so a reader that went past the block would
// have megabytes to read.
class CameraFolder {
public:
    explicit CameraFolder(int files) {
        std::string pattern = (fs::temp_directory_path() / "quorbel-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            return;
        path_ = pattern;
        std::ifstream in(QUORBEL_FIXTURES "/datenames/camera.jpg", std::ios::binary);
        const std::string photo((std::istreambuf_iterator<char>(in)), {});
        for (int i = 0; i < files; ++i) {
            const fs::path file = path_ / ("IMG_" + std::to_string(1000 + i) + ".jpg");
            std::ofstream(file, std::ios::binary) << photo;
            fs::resize_file(file, fileSize);
            paths_.push_back(file.string());
        }
    }
    ~CameraFolder() {
        std::error_code ignored;
        if (!path_.empty())
            fs::remove_all(path_, ignored);
    }
    const std::vector<std::string>& paths() const { return paths_; }

    static constexpr std::uintmax_t fileSize = 8u << 20;

private:
    fs::path path_;
    std::vector<std::string> paths_;
};

// What 按拍摄日期命名 does once its dialog closed with OK: every file's date
// read from its EXIF block, the folder listed once, the names made.
void BM_DateNamesCameraJpegs(benchmark::State& state) {
    const int files = static_cast<int>(state.range(0));
    const CameraFolder folder(files);
    if (folder.paths().size() != static_cast<size_t>(files)) {
        state.SkipWithError("cannot make the photo folder");
        return;
    }
    quorbel::RenameList list;
    list.fill(folder.paths(), quorbel::posixPathRule);
    const quorbel::DatePattern pattern("%Y%m%d_%H%M%S");
    for (auto _ : state) {
        quorbel::DateNamer namer(list, quorbel::posixFileSystem());
        const quorbel::DateNames result = namer.names(pattern);
        benchmark::DoNotOptimize(result.names.data());
        if (result.names.size() != static_cast<size_t>(files))
            state.SkipWithError("a photo gave no date");
    }
    std::size_t read = 0;
    quorbel::readDateTaken(folder.paths().front(), &read);
    state.counters["bytes_read_per_file"] = static_cast<double>(read);
    state.counters["file_size"] = static_cast<double>(CameraFolder::fileSize);
}
BENCHMARK(BM_DateNamesCameraJpegs)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
