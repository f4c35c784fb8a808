// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/directoryscan.h"

#include "global/collation.h"
#include "global/filemask.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <memory>

namespace quorbel {

const CoreText directoryPatternList{
    "图片文件|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png;*.tif;*.gif"
    "|JPEG Image File (*.jpg)|*.jpg"
    "|JPEG Image File (*.jpeg)|*.jpeg"
    "|Bitmaps (*.bmp)|*.bmp"
    "|Icons (*.ico)|*.ico"
    "|Enhanced Metafiles (*.emf)|*.emf"
    "|Metafiles (*.wmf)|*.wmf"
    "|photoshop(*.png)|*.png"
    "|Tiff(*.tif)|*.tif"
    "|Gif(*.gif)|*.gif"
    "|测序图谱文件|*.ab1"
    "|序列文件|*.seq"
    "|文本文件(*.txt)|*.txt"
    "|全部文件(*.*)|*.*",
    "Picture files|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png;*.tif;*.gif"
    "|JPEG Image File (*.jpg)|*.jpg"
    "|JPEG Image File (*.jpeg)|*.jpeg"
    "|Bitmaps (*.bmp)|*.bmp"
    "|Icons (*.ico)|*.ico"
    "|Enhanced Metafiles (*.emf)|*.emf"
    "|Metafiles (*.wmf)|*.wmf"
    "|photoshop(*.png)|*.png"
    "|Tiff(*.tif)|*.tif"
    "|Gif(*.gif)|*.gif"
    "|Sequencing traces|*.ab1"
    "|Sequence files|*.seq"
    "|Text files (*.txt)|*.txt"
    "|All files (*.*)|*.*"};

namespace {

// One pattern of the mask, decided once per scan rather than once per file.
struct Selector {
    std::string pattern;
    bool byExtension; // pattern is "*.ext": compare last extensions
};

bool isExtensionPattern(std::string_view pattern) {
    if (pattern.size() < 3 || !pattern.starts_with("*."))
        return false;
    for (const char c : pattern.substr(2)) {
        if (c == '*' || c == '?' || c == '.' || (c >= 'A' && c <= 'Z'))
            return false;
    }
    return true;
}

std::vector<Selector> selectorsOf(std::string_view mask) {
    std::vector<Selector> selectors;
    for (std::string& pattern : splitMask(mask)) {
        const bool byExtension = isExtensionPattern(pattern);
        selectors.push_back({byExtension ? pattern.substr(1) : std::move(pattern), byExtension});
    }
    return selectors;
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether the name's last extension, A to Z lower-cased, is the selector's
// lower-case ".ext"; compared in place, as this runs for every entry.
bool hasExtension(std::string_view name, std::string_view extension) {
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || name.size() - dot != extension.size())
        return false;
    for (size_t i = 0; i < extension.size(); ++i) {
        if (lowerAscii(name[dot + i]) != extension[i])
            return false;
    }
    return true;
}

bool selects(const std::vector<Selector>& selectors, std::string_view name) {
    for (const Selector& selector : selectors) {
        if (selector.byExtension ? hasExtension(name, selector.pattern)
                                 : matchesPattern(name, selector.pattern))
            return true;
    }
    return false;
}

// Regular files, and links that lead to one; the type the listing gives saves a
// stat call for all other entries.
bool isRegularFile(int directory, const dirent& entry) {
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat status;
    return fstatat(directory, entry.d_name, &status, 0) == 0 && S_ISREG(status.st_mode);
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

std::vector<std::string> selectedNames(const std::string& folder, std::string_view mask) {
    std::vector<std::string> names;
    const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir)
        return names;
    const std::vector<Selector> selectors = selectorsOf(mask);
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view name(entry->d_name);
        if (name.starts_with('.') || !selects(selectors, name))
            continue;
        if (isRegularFile(dirfd(dir.get()), *entry))
            names.emplace_back(name);
    }
    return names;
}

} // namespace

std::vector<std::string> scanDirectory(const std::string& folder, std::string_view mask,
                                       const CaseBlindCollation& collation) {
    if (folder.empty())
        return {};
    // Every path shares the folder, so ordering the names orders the paths.
    std::vector<std::string> paths = selectedNames(folder, mask);
    collation.sort(paths);
    const std::string prefix = folder.ends_with('/') ? folder : folder + '/';
    for (std::string& path : paths)
        path = prefix + path;
    return paths;
}

std::vector<std::string> scanDirectory(const std::string& folder, std::string_view mask) {
    return scanDirectory(folder, mask, CaseBlindCollation());
}

std::optional<std::string> singlePatternNotice(std::string_view mask) {
    if (mask.find(';') != std::string_view::npos)
        return std::nullopt;
    return std::string(mask.empty() ? mask : mask.substr(1));
}

} // namespace quorbel
