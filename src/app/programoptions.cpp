// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/programoptions.h"

#include "config/version.h"

#include <cstdio>
#include <string_view>

namespace quorbel {
namespace {

// The manual page is made from the English text (help2man), so it reads as one.
// The commands are named by the captions of the window in the same language.
constexpr CoreText helpText{
    "用法: quorbel [选项]\n"
    "在窗口中一次为许多文件换名。把文件调入列表(“文件”调入一个文件夹的图片或\n"
    "其他文件),手工输入新名称、用“自动编号”(打头字符加编号)或从电子表格的\n"
    "“对应表”(.xls、.xlsx、.ods 或 .csv)给每个文件新名称,然后“换名”。每个\n"
    "文件保留它的目录和后缀,换名从不替换已有的文件,每一行随后显示其文件的处理\n"
    "结果;换名失败的文件列在列表旁边,可以保存为文本。“预检”不动任何文件而预测\n"
    "每一行的结果,“撤销换名”把上次换名的文件改回原名。\n"
    "\n"
    "选项:\n"
    "  -h, --help     显示此帮助并退出\n"
    "      --version  显示版本并退出\n"
    "\n"
    "也接受 Qt 自己的选项,如 -platform 或 -style。\n"
    "quorbel-cli 以相同的规则供脚本换名。\n",
    "Usage: quorbel [OPTION]\n"
    "Renames many files in one run, in a window. Gather the files into the list\n"
    "(Open files, for pictures and other files of one folder), give each a new\n"
    "name by typing it, by Auto numbering (a prefix and a counter) or from a\n"
    "spreadsheet Mapping table (.xls, .xlsx, .ods or .csv), then start the run\n"
    "(Rename). Every file keeps its directory and its extension, a rename never\n"
    "replaces an existing file, and each row then shows what happened to its\n"
    "file; failed renames are listed beside the list and can be saved as text.\n"
    "Check predicts every row's result without touching a file, and Undo rename\n"
    "renames the last run's files back.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n"
    "\n"
    "Qt's own options are accepted too, such as -platform or -style.\n"
    "quorbel-cli renames by the same rules from a script.\n"};

} // namespace

std::optional<int> answerInformationOptions(int argc, char** argv, Language language) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(helpText.in(language), stdout);
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
