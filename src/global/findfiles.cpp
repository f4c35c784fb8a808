#include "global/findfiles.h"

#include "global/filemask.h"

#include <algorithm>
#include <filesystem>

namespace quorbel {
namespace {

namespace fs = std::filesystem;

int foldCase(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

std::vector<std::string> fileNames(const std::string& directory) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(directory))) {
        std::string name = entry.path().filename().string();
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code error;
        if (entry.is_directory(error))
            continue;
        names.push_back(std::move(name));
    }
    return names;
}

} // namespace

bool fileNameLess(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const int x = foldCase(static_cast<unsigned char>(a[i]));
        const int y = foldCase(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

std::vector<std::string> findFiles(const std::string& directory, std::string_view mask) {
    const std::vector<std::string> names = fileNames(directory);
    std::vector<std::string> listed;
    for (const std::string& pattern : splitMask(mask)) {
        for (const std::string& name : names) {
            if (matchesPattern(name, pattern))
                listed.push_back(name);
        }
    }
    std::stable_sort(listed.begin(), listed.end(),
                     [](const std::string& a, const std::string& b) { return fileNameLess(a, b); });
    return listed;
}

} // namespace quorbel
