#include "app/programoptions.h"

#include "config/version.h"

#include <cstdio>
#include <string_view>

namespace quorbel {
namespace {

// The manual page is made from this text (help2man), so it reads as one.
constexpr const char* helpText =
    "Usage: quorbel [OPTION]\n"
    "Renames many files in one run, in a window. Gather the files into the list\n"
    "(文件 for pictures and other files of one folder), give each a new name by\n"
    "typing it, by auto numbering (自动编号: a prefix and a counter) or from a\n"
    "spreadsheet mapping table (对应表: .xls, .xlsx, .ods or .csv), then start the\n"
    "run (换名). Every file keeps its directory and its extension, a rename never\n"
    "replaces an existing file, and each row then shows what happened to its\n"
    "file; failed renames are listed beside the list and can be saved as text.\n"
    "预检 predicts every row's result without touching a file, and 撤销换名\n"
    "renames the last run's files back.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "Qt's own options are accepted too, such as -platform or -style.\n"
    "quorbel-cli renames by the same rules from a script.\n";

} // namespace

std::optional<int> answerInformationOptions(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(helpText, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("quorbel %s\n", projectVersion);
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace quorbel
