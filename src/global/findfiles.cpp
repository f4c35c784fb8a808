// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/findfiles.h"

#include "global/casefold.h"
#include "global/filemask.h"

#include <algorithm>
#include <filesystem>

namespace quorbel {
namespace {

namespace fs = std::filesystem;

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

// Case first, then byte for byte, so names equal but for case keep a fixed order.
bool foldedLess(const std::u32string& foldedA, std::string_view a, const std::u32string& foldedB,
                std::string_view b) {
    if (foldedA != foldedB)
        return foldedA < foldedB;
    return a < b;
}

} // namespace

bool fileNameLess(std::string_view a, std::string_view b) {
    return foldedLess(foldedCharacters(a), a, foldedCharacters(b), b);
}

std::vector<std::string> findFiles(const std::string& directory, std::string_view mask) {
    struct Entry {
        std::u32string folded;
        std::string name;
    };
    std::vector<Entry> entries;
    for (std::string& name : fileNames(directory))
        entries.push_back({foldedCharacters(name), std::move(name)});
    std::vector<const Entry*> listed;
    for (const std::string& text : splitMask(mask)) {
        const WildcardPattern pattern(text);
        for (const Entry& entry : entries) {
            if (pattern.matchesFolded(entry.folded))
                listed.push_back(&entry);
        }
    }
    std::stable_sort(listed.begin(), listed.end(), [](const Entry* a, const Entry* b) {
        return foldedLess(a->folded, a->name, b->folded, b->name);
    });
    std::vector<std::string> names;
    names.reserve(listed.size());
    for (const Entry* entry : listed)
        names.push_back(entry->name);
    return names;
}

} // namespace quorbel
