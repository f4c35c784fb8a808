// SPDX-License-Identifier: GPL-3.0-or-later
#include "clirunner.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorbel::test {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Files rather than pipes: the child may print megabytes without the parent
// having to read while it writes.
[[noreturn]] void runChild(const std::vector<std::string>& arguments, const fs::path& directory,
                           const fs::path& capture, const Environment& environment) {
    const int in = ::open((capture / "in").c_str(), O_RDONLY);
    const int out = ::open((capture / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open((capture / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 ||
        ::dup2(err, 2) < 0 || ::chdir(directory.c_str()) != 0)
        ::_exit(127);
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LC_NUMERIC", "LC_TIME", "LC_COLLATE",
                             "LC_CTYPE", "LANG", "LANGUAGE", "QUORBEL_LANG"})
        ::unsetenv(name);
    for (const auto& [name, value] : environment)
        ::setenv(name.c_str(), value.c_str(), 1);
    // Each test directory keeps its own journal, so undo finds its own last run.
    ::setenv("XDG_STATE_HOME", (directory / ".state").c_str(), 1);
    std::vector<char*> argv;
    static std::string program = QUORBEL_CLI;
    argv.push_back(program.data());
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
}

// A started child and the folder that holds its standard streams.
struct Child {
    pid_t pid;
    fs::path capture;
};

Child startChild(const std::vector<std::string>& arguments, const fs::path& directory,
                 const std::string& input, const Environment& environment) {
    std::string pattern = (fs::temp_directory_path() / "quorbel-cli-io-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    const fs::path capture = pattern;
    std::ofstream(capture / "in", std::ios::binary) << input;
    const pid_t child = ::fork();
    if (child == 0)
        runChild(arguments, directory, capture, environment);
    return {child, capture};
}

} // namespace

const Environment& chineseEnvironment() {
    // Mapped numbers and dates print by the locale; the tests expect the plain one.
    static const Environment environment{{"LANG", "C.UTF-8"}, {"QUORBEL_LANG", "zh"}};
    return environment;
}

CliResult runQuorbelCli(const std::vector<std::string>& arguments, const fs::path& directory,
                        const std::string& input, const Environment& environment) {
    const Child child = startChild(arguments, directory, input, environment);
    int status = 0;
    ::waitpid(child.pid, &status, 0);
    CliResult result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = slurp(child.capture / "out");
    result.err = slurp(child.capture / "err");
    fs::remove_all(child.capture);
    return result;
}

bool killQuorbelCliWhen(const std::vector<std::string>& arguments, const fs::path& directory,
                        const std::string& input, const std::function<bool()>& ready) {
    const Child child = startChild(arguments, directory, input, chineseEnvironment());
    int status = 0;
    bool killed = false;
    while (::waitpid(child.pid, &status, WNOHANG) == 0) {
        if (ready()) {
            ::kill(child.pid, SIGKILL);
            ::waitpid(child.pid, &status, 0);
            killed = WIFSIGNALED(status);
            break;
        }
        ::usleep(100);
    }
    fs::remove_all(child.capture);
    return killed;
}

std::vector<std::string> listDirectory(const fs::path& directory) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory))
        if (entry.path().filename() != ".state")
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void touchFiles(const fs::path& directory, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        std::ofstream file(directory / name, std::ios::binary);
        if (!file)
            throw std::runtime_error("cannot create " + name);
    }
}

} // namespace quorbel::test
