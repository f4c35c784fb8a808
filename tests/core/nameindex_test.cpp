// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/nameindex.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

// The check's folder as plain maps: name now -> the file's own name on disk.
class FolderModel {
public:
    bool contains(const std::string& key) const { return origins_.contains(key); }
    std::string origin(const std::string& key) const {
        const auto found = origins_.find(key);
        return found == origins_.end() ? key : found->second;
    }
    void insert(const std::string& key) { origins_.emplace(key, key); }
    void move(const std::string& oldKey, const std::string& newKey) {
        const std::string own = origin(oldKey);
        origins_.erase(oldKey);
        origins_.insert_or_assign(newKey, own);
    }

private:
    std::map<std::string, std::string> origins_;
};

// Names that share long prefixes and differ in a digit, as renamed folders
// hold, in few enough spellings that names come back, chains form and erased
// slots pile up until the index is rebuilt many times over.
std::string nameFor(unsigned number) {
    return number % 3 == 0 ? "IMG_" + std::to_string(number) + ".jpg"
                           : std::string(number % 5, 'x') + std::to_string(number);
}

TEST(NameIndex, FollowsEveryRenameAsAPlainMapDoes) {
    std::mt19937 random(19);
    // The last two copy their block of names down again and again.
    for (const auto& [start, compactAt] :
         std::vector<std::pair<unsigned, std::size_t>>{{0, 1u << 31},
                                                       {1, 1u << 31},
                                                       {40, 1u << 31},
                                                       {3000, 1u << 31},
                                                       {40, 4096},
                                                       {3000, 80000}}) {
        quorbel::NameIndex index(start, compactAt);
        FolderModel model;
        std::vector<std::string> present;
        for (unsigned i = 0; i < start; ++i) {
            present.push_back(nameFor(i));
            index.insert(present.back());
            model.insert(present.back());
        }
        std::uniform_int_distribution<unsigned> spelling(0, start + 500);
        for (int step = 0; step < 20000; ++step) {
            const std::string newKey = nameFor(spelling(random));
            if (present.empty() || random() % 7 == 0) {
                index.insert(newKey); // a name found on disk later, or again
                if (!model.contains(newKey))
                    present.push_back(newKey);
                model.insert(newKey);
                continue;
            }
            const std::size_t which = random() % present.size();
            if (model.contains(newKey) && newKey != present[which])
                continue; // the check refuses a taken name
            index.move(present[which], newKey);
            model.move(present[which], newKey);
            present[which] = newKey;
            if (step % 1000 == 0 || step == 19999) {
                for (unsigned n = 0; n <= start + 500; ++n) {
                    const std::string key = nameFor(n);
                    ASSERT_EQ(index.contains(key), model.contains(key)) << key << " at " << step;
                    ASSERT_EQ(index.origin(key), model.origin(key)) << key << " at " << step;
                }
            }
        }
    }
}

} // namespace
