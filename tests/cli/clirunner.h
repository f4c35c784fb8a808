#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quorbel::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built quorbel-cli in a working directory with the given bytes on
// its standard input, and collects what it printed.
CliResult runQuorbelCli(const std::vector<std::string>& arguments,
                        const std::filesystem::path& workingDirectory,
                        const std::string& input = {});

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
