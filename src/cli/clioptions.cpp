// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/clioptions.h"

#include "config/version.h"
#include "global/coretext.h"
#include "renamelist/renamerun.h"
#include "renamelist/runundo.h"

#include <CLI/CLI.hpp>

#include <string>
#include <string_view>

namespace quorbel {
namespace {

constexpr CoreText description{
    "按与 Quorbel 窗口相同的规则,一次为许多文件换名。\n"
    "每个文件在它自己的目录中换名并保留后缀;换名从不替换已有的文件。\n"
    "\n"
    "每个文件输出一行: 序号、原路径、新路径和处理结果,以制表符分隔;\n"
    "然后在标准错误上输出状态文字。路径中的制表符、换行、反斜杠、其他控制字节\n"
    "和不属于 UTF-8 的字节写作 \\xHH(给出 -0 时除外)。\n"
    "退出状态: 0 没有失败的行,1 有失败的行,2 用法或输入有误(没有换名任何文件),\n"
    "或另一个换名或撤销正在进行。\n"
    "处理结果和状态文字随语言环境而变(LC_ALL、LC_MESSAGES、LANG):\n"
    "脚本应检查退出状态而不是文字,或设置 LC_ALL=C 以得到不变的英文文字。",
    "Renames many files in one run, by the same rules as the Quorbel window.\n"
    "Every file is renamed inside its own directory and keeps its extension; a\n"
    "rename never replaces an existing file.\n"
    "\n"
    "Prints one line per file: row number, old path, new path and result word,\n"
    "separated by tabs; then the status text on standard error. In the paths a\n"
    "tab, a line break, a backslash, any other control byte and any byte that is\n"
    "not UTF-8 are written as \\xHH (unless -0 is given).\n"
    "Exit status: 0 no row failed, 1 some row failed, 2 bad usage or bad input\n"
    "(nothing renamed), or another run or undo in progress.\n"
    "Result words and status texts follow the locale (LC_ALL, LC_MESSAGES, LANG):\n"
    "scripts should test the exit status, not the words, or set LC_ALL=C to get\n"
    "English words that never change."};

constexpr CoreText resultWordsTitle{"\n处理结果:\n", "\nResult words:\n"};

// Every word a row can end with, from the constants the run writes.
std::string resultWordsText() {
    std::string text = resultWordsTitle.text();
    for (const CoreText* word :
         {&resultword::success, &resultword::unchanged, &resultword::targetExists,
          &resultword::sourceMissing, &resultword::accessDenied, &resultword::readOnly,
          &resultword::invalidName, &resultword::diskFull, &resultword::sameFileLink,
          &resultword::cannotRename, &resultword::undone, &resultword::notRenamedFile})
        text.append("  ").append(word->text()).append(1, '\n');
    return text;
}

constexpr CoreText examples{
    "\n示例:\n"
    "  按样品表为一板测序图谱换名:\n"
    "    quorbel-cli --map plate.xlsx --sheet 名单 --key 文件名 --value 新名 run42/*.ab1\n"
    "  按板图为一板测序图谱换名,96 孔板:\n"
    "    quorbel-cli --plate layout.xlsx --sheet 板图 run42/*.ab1\n"
    "  把一个文件夹的照片编号为 B001、B002、……:\n"
    "    quorbel-cli --number --prefix B --start 001 photos/*.jpg\n"
    "  按拍摄日期为照片命名,如 20250714_093005.jpg:\n"
    "    quorbel-cli --date %Y%m%d_%H%M%S photos/*.jpg\n"
    "  把 IMG_0001.jpg 改为 trip_0001.jpg:\n"
    "    quorbel-cli --replace 'IMG_(\\d+)' 'trip_$1' --regex photos/*.jpg\n"
    "  先看会发生什么,再执行:\n"
    "    quorbel-cli --check --names new.txt *.seq && quorbel-cli --names new.txt *.seq\n",
    "\nExamples:\n"
    "  Rename a plate of traces from the sample sheet:\n"
    "    quorbel-cli --map plate.xlsx --sheet Samples --key Trace --value Sample run42/*.ab1\n"
    "  Rename a plate's traces from its layout, a 96-well grid:\n"
    "    quorbel-cli --plate layout.xlsx --sheet 板图 run42/*.ab1\n"
    "  Number a folder of photos B001, B002, ...:\n"
    "    quorbel-cli --number --prefix B --start 001 photos/*.jpg\n"
    "  Name photos by the date taken, 20250714_093005.jpg:\n"
    "    quorbel-cli --date %Y%m%d_%H%M%S photos/*.jpg\n"
    "  Turn IMG_0001.jpg into trip_0001.jpg:\n"
    "    quorbel-cli --replace 'IMG_(\\d+)' 'trip_$1' --regex photos/*.jpg\n"
    "  See what would happen, then do it:\n"
    "    quorbel-cli --check --names new.txt *.seq && quorbel-cli --names new.txt *.seq\n"};

const char* text(const CoreText& words) {
    return words.text();
}

// The help shows what an option takes, not the parser's bookkeeping of which
// options need or exclude which; the descriptions say that in words.
CLI::Option* takes(CLI::Option* option, const char* what) {
    return option->option_text(what);
}

void addFileOptions(CLI::App& app, CliOptions& o) {
    auto* files =
        app.add_option("files", o.files,
                       text({"要换名的文件,按此顺序;顺序即行的顺序。\n以 - 开头的名称前请加 --。  "
                             "示例: a.jpg b.jpg",
                             "Files to rename, in this order; the order is the row order.\n"
                             "Put -- before names that start with -.  Example: a.jpg b.jpg"}));
    takes(files, "FILE ...");
    auto* from = app.add_option(
        "--files-from", o.filesFrom,
        text({"从 FILE 读取文件,每行一个路径(- 表示标准\n输入)。  示例: --files-from list.txt",
              "Read the files from FILE, one path a line (- for standard\n"
              "input).  Example: --files-from list.txt"}));
    takes(from, "FILE");
    app.add_flag(
        "-0,--null", o.nulSeparated,
        text({"--files-from 和 --names 的列表以 NUL "
              "字节而不是\n换行分隔,因此任何文件名都可以;输出的行也以\nNUL 结尾。  示例: find . "
              "-name '*.ab1' -print0 | quorbel-cli -0\n--files-from - --names names.txt",
              "The lists of --files-from and --names are separated by NUL bytes\n"
              "instead of line ends, so any file name works; output lines end with\n"
              "NUL too.  Example: find . -name '*.ab1' -print0 | quorbel-cli -0\n"
              "--files-from - --names names.txt"}));
    auto* dir =
        app.add_option("--dir", o.dir,
                       text({"取 FOLDER 中所有与 --type 相符的文件,与\n目录导入相同。  示例: --dir "
                             "run42 --type '*.ab1'",
                             "Take every file of FOLDER that matches --type, as the\n"
                             "directory import does.  Example: --dir run42 --type '*.ab1'"}));
    auto* type = app.add_option("--type", o.type,
                                text({"--dir 的文件模式,以“;”连接。  示例:\n--type '*.jpg;*.png'",
                                      "File patterns for --dir, joined by \";\".  Example:\n"
                                      "--type '*.jpg;*.png'"}));
    takes(dir, "FOLDER");
    takes(type, "PATTERN");
    dir->needs(type);
    type->needs(dir);
    dir->excludes(from)->excludes(files);
    from->excludes(files);
}

CLI::Option* addReplaceOptions(CLI::App& app, CliOptions& o) {
    auto* replace =
        app.add_option("--replace", o.replace,
                       text({"按查找替换给出新名称,在每个文件不含后缀的名称中:\n每个 FIND 变为 "
                             "REPLACEMENT;没有 FIND 的文件保持\n不变。  示例: --replace IMG trip",
                             "New names by find and replace in each file's name without\n"
                             "extension: every FIND becomes REPLACEMENT; files where FIND\n"
                             "does not occur stay as they are.  Example: --replace IMG trip"}));
    replace->expected(2)->allow_extra_args(false);
    takes(replace, "FIND REPLACEMENT");
    auto* regex =
        app.add_flag("--regex", o.regex,
                     text({"FIND 是正则表达式(PCRE2,UTF-8);REPLACEMENT 可以用\n$1、${1} 或 ${名称} "
                           "引用分组,$$ 表示 $。\n示例: --replace 'IMG_(\\d+)' 'trip_$1' --regex",
                           "FIND is a regular expression (PCRE2, UTF-8); REPLACEMENT may\n"
                           "name its groups as $1, ${1} or ${name}, and $$ is a $.\n"
                           "Example: --replace 'IMG_(\\d+)' 'trip_$1' --regex"}));
    auto* ignoreCase = app.add_flag(
        "--ignore-case", o.ignoreCase,
        text({"FIND 不区分大小写,任何文字都是如此。\n示例: --replace img trip --ignore-case",
              "FIND matches letters of any case, in every script.\n"
              "Example: --replace img trip --ignore-case"}));
    takes(regex, "");
    takes(ignoreCase, "");
    regex->needs(replace);
    ignoreCase->needs(replace);
    return replace;
}

void addNameOptions(CLI::App& app, CliOptions& o) {
    auto* map =
        app.add_option("--map", o.map,
                       text({"新名称来自 WORKBOOK 中的对应表(.xls、.xlsx、\n.ods、.csv、.txt): "
                             "每个文件不含后缀的名称在表页 --sheet\n的 --key 列中查找,该行 --value "
                             "列给出新名称。\n示例: --map plate.xls",
                             "New names from a mapping table in WORKBOOK (.xls, .xlsx,\n"
                             ".ods, .csv, .txt): each file's name without extension is looked\n"
                             "up in column --key of sheet --sheet, and column --value of\n"
                             "that row gives the new name.  Example: --map plate.xls"}));
    auto* sheet = app.add_option(
        "--sheet", o.sheet,
        text({"--map 或 --plate 的表页。  示例: --sheet 名单",
              "Sheet of --map or --plate.  Example: --sheet 名单"}));
    auto* key = app.add_option("--key", o.key,
                               text({"--map 中存放原文件名(不含后缀)的列。\n示例: --key 文件名",
                                     "Column of --map holding the old names (without extension).\n"
                                     "Example: --key 文件名"}));
    auto* value =
        app.add_option("--value", o.value,
                       text({"--map 中存放新文件名的列。  示例: --value 新名",
                             "Column of --map holding the new names.  Example: --value 新名"}));
    takes(map, "WORKBOOK");
    takes(sheet, "NAME");
    takes(key, "COLUMN");
    takes(value, "COLUMN");
    for (CLI::Option* part : {sheet, key, value})
        map->needs(part);
    key->needs(map);
    value->needs(map);
    auto* plate =
        app.add_option("--plate", o.plate,
                       text({"新名称来自 WORKBOOK 中的板图: 表页 --sheet 中是 96 或 384 孔\n"
                             "的板,左边是行字母 A、B、……,上边是列号 1、2、……。\n"
                             "名称是一个孔(A01.ab1)或在 _ - . 或空格之间含有一个孔\n"
                             "(run5_C12_16.ab1)的文件得到该孔的文字。\n"
                             "示例: --plate plate.xlsx --sheet 板图",
                       "New names from a plate layout in WORKBOOK: sheet --sheet holds a\n"
                       "96- or 384-well grid, row letters A, B, ... down the left and column\n"
                       "numbers 1, 2, ... across the top. A file whose name is a well\n"
                       "(A01.ab1) or holds one between _ - . or blanks (run5_C12_16.ab1)\n"
                       "gets that well's text.  Example: --plate plate.xlsx --sheet 板图"}));
    auto* block = app.add_option("--block", o.block,
                                 text({"--sheet 中的第几块板,从上往下数(默认 1)。\n示例: --block 2",
                                       "Which plate of --sheet, counted from the top (default 1).\n"
                                       "Example: --block 2"}));
    takes(plate, "WORKBOOK");
    takes(block, "N");
    plate->needs(sheet);
    block->needs(plate);
    auto* number = app.add_flag(
        "--number", o.number,
        text({"按自动编号给出新名称: --prefix,然后是从 --start\n起、按 --step 递增的编号,覆盖 "
              "--first 到 --last 行,\n按 --start 的宽度以零补齐。  示例: --number",
              "New names by auto numbering: --prefix, then a counter from\n"
              "--start by --step over the rows --first to --last, filled\n"
              "with zeros to the width of --start.  Example: --number"}));
    auto* prefix =
        app.add_option("--prefix", o.prefix,
                       text({"编号前的文字(默认 B)。  示例: --prefix S",
                             "Text before the counter (default B).  Example: --prefix S"}));
    auto* start = app.add_option(
        "--start", o.start,
        text({"起始编号(默认 01);它的长度即宽度。\n示例: --start 001 得到 001、002、……",
              "First counter value (default 01); its length is the\n"
              "width.  Example: --start 001 gives 001, 002, ..."}));
    auto* step = app.add_option("--step", o.step,
                                text({"每行的递增量(默认 1)。  示例: --step 2",
                                      "Increment per row (default 1).  Example: --step 2"}));
    auto* first = app.add_option("--first", o.first,
                                 text({"编号的起始行(默认 1)。  示例: --first 3",
                                       "First row to number (default 1).  Example: --first 3"}));
    auto* last =
        app.add_option("--last", o.last,
                       text({"编号的终止行(默认最后一行)。  示例: --last 96",
                             "Last row to number (default the last row).  Example: --last 96"}));
    takes(number, "");
    takes(prefix, "TEXT");
    for (CLI::Option* part : {start, step, first, last})
        takes(part, "N");
    for (CLI::Option* part : {prefix, start, step, first, last})
        part->needs(number);
    auto* names =
        app.add_option("--names", o.names,
                       text({"新名称来自 FILE,每行一个,按行的顺序,不含\n后缀(- "
                             "表示标准输入);空行使其文件保持不变。\n示例: --names new.txt",
                             "New names from FILE, one a line in row order, without\n"
                             "extension (- for standard input); an empty line leaves its\n"
                             "file as it is.  Example: --names new.txt"}));
    takes(names, "FILE");
    CLI::Option* replace = addReplaceOptions(app, o);
    auto* date =
        app.add_option("--date", o.date,
                       text({"新名称来自每张图片的拍摄日期(EXIF\nDateTimeOriginal,否则 "
                             "DateTimeDigitized,否则 DateTime):\n%Y %m %d %H %M %S 表示其各部分,%% "
                             "表示 %,其他文字\n照原样。同一秒的文件加 "
                             "_2、_3、……,文件夹中已有的名称\n也算在内;"
                             "没有日期的文件保持不变。\n示例: --date %Y%m%d_%H%M%S",
                             "New names from the date each picture was taken (EXIF\n"
                             "DateTimeOriginal, else DateTimeDigitized, else DateTime):\n"
                             "%Y %m %d %H %M %S stand for its parts, %% for %, other text\n"
                             "for itself. Files of the same second get _2, _3, ..., names\n"
                             "already in the folder count; files without a date stay as\n"
                             "they are.  Example: --date %Y%m%d_%H%M%S"}));
    takes(date, "PATTERN");
    date->each([&o](const std::string&) { o.dateGiven = true; });
    const std::vector<CLI::Option*> ways{map, plate, number, names, replace, date};
    for (std::size_t i = 0; i < ways.size(); ++i)
        for (std::size_t j = i + 1; j < ways.size(); ++j)
            ways[i]->excludes(ways[j]);
}

void addRunOptions(CLI::App& app, CliOptions& o) {
    auto* check = app.add_flag(
        "-n,--check,--dry-run", o.check,
        text({"预计每一行的处理结果,不为任何文件换名。\n示例: --check --names new.txt *.seq",
              "Predict every row's result without renaming anything.\n"
              "Example: --check --names new.txt *.seq"}));
    auto* undo = app.add_flag(
        "--undo", o.undo,
        text({"按换名记录撤销最近一次尚未撤销的换名;再次给出时撤销\n它之前的一次。不接受文件。\n"
              "示例: --undo",
              "Undo the most recent run not undone yet, from its journal;\n"
              "given again, the run before it. Takes no files.\n"
              "Example: --undo"}));
    auto* history = app.add_flag(
        "--history", o.history,
        text({"列出保留的换名,最新的在前: 序号、时间、文件夹、\n换名的文件数,以及是否已撤销。"
              "  示例: --history",
              "List the kept runs, newest first: number, when, folder,\n"
              "files renamed, and whether undone.  Example: --history"}));
    auto* exportTo =
        app.add_option("--export", o.exportPath,
                       text({"换名之后把列表连同每行的处理结果写入 FILE,\n按后缀为 .xls 或 "
                             ".xlsx;保存失败时退出状态为 1。\n示例: --export result.xlsx",
                             "After the run, write the list with every row's result to\n"
                             "FILE, .xls or .xlsx by its extension; a failed export\n"
                             "gives exit status 1.  Example: --export result.xlsx"}));
    takes(check, "");
    takes(undo, "");
    takes(history, "");
    takes(exportTo, "FILE");
    app.add_flag("-q,--quiet", o.quiet,
                 text({"只输出失败的行,不输出状态文字。  示例: --quiet",
                       "Print failed rows only, and no status text.  Example: --quiet"}));
    undo->excludes(check);
    check->excludes(exportTo);
    undo->excludes(exportTo);
    history->excludes(undo)->excludes(check)->excludes(exportTo);
    for (const char* name : {"files", "--files-from", "--dir", "--map", "--plate", "--number",
                             "--names", "--replace", "--date"}) {
        undo->excludes(app.get_option(name));
        history->excludes(app.get_option(name));
    }
}

} // namespace

std::unique_ptr<CLI::App> buildCli(CliOptions& options) {
    auto app = std::make_unique<CLI::App>(description.text(), "quorbel-cli");
    app->footer(resultWordsText() + examples.text());
    app->option_defaults()->group(text({"选项", "Options"}));
    app->set_help_flag("-h,--help", text({"显示此帮助并退出", "Print this help message and exit"}));
    app->set_version_flag("--version", std::string("quorbel-cli ") + projectVersion,
                          text({"显示版本并退出", "Print the version and exit"}));
    const auto formatter = app->get_formatter();
    formatter->column_width(24);
    if (coreLanguage() == Language::Chinese) {
        formatter->label("Usage", "用法");
        formatter->label("OPTIONS", "选项");
        formatter->label("Positionals", "位置参数");
        formatter->label("REQUIRED", "必需");
        formatter->label("Needs", "需要");
        formatter->label("Excludes", "排除");
    }
    addFileOptions(*app, options);
    addNameOptions(*app, options);
    addRunOptions(*app, options);
    return app;
}

} // namespace quorbel
