// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quorbel::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Variables set for the child, after every locale variable of the test's own
// environment is removed.
using Environment = std::vector<std::pair<std::string, std::string>>;

// Plain number formats (C.UTF-8) and Chinese words, unless a test says otherwise.
const Environment& chineseEnvironment();

// Runs the built quorbel-cli in a working directory with the given bytes on
// its standard input, and collects what it printed.
CliResult runQuorbelCli(const std::vector<std::string>& arguments,
                        const std::filesystem::path& workingDirectory,
                        const std::string& input = {},
                        const Environment& environment = chineseEnvironment());

// Starts quorbel-cli as runQuorbelCli does, watches until ready() holds, and
// kills it there with SIGKILL. True when the kill came before the program
// ended by itself.
bool killQuorbelCliWhen(const std::vector<std::string>& arguments,
                        const std::filesystem::path& workingDirectory, const std::string& input,
                        const std::function<bool()>& ready);

// The names in a directory, sorted, to see exactly which files a run left; the
// journal's ".state" folder is left out.
std::vector<std::string> listDirectory(const std::filesystem::path& directory);

// Creates empty files with these names.
void touchFiles(const std::filesystem::path& directory, const std::vector<std::string>& names);

} // namespace quorbel::test
