#include "cli/clioptions.h"

#include "config/version.h"

#include <CLI/CLI.hpp>

#include <string>

namespace quorbel {
namespace {

constexpr const char* description =
    "Renames many files in one run, by the same rules as the Quorbel window.\n"
    "Every file is renamed inside its own directory and keeps its extension; a\n"
    "rename never replaces an existing file.\n"
    "\n"
    "Prints one line per file: row number, old path, new path and result word,\n"
    "separated by tabs; then the status text on standard error.\n"
    "Exit status: 0 no row failed, 1 some row failed, 2 bad usage or bad input\n"
    "(nothing renamed).";

constexpr const char* examples =
    "\nExamples:\n"
    "  Rename a plate of traces from the sample sheet:\n"
    "    quorbel-cli --map plate.xlsx --sheet 名单 --key 文件名 --value 新名 run42/*.ab1\n"
    "  Rename a plate's traces from its layout, a 96-well grid:\n"
    "    quorbel-cli --plate layout.xlsx --sheet 板图 run42/*.ab1\n"
    "  Number a folder of photos B001, B002, ...:\n"
    "    quorbel-cli --number --prefix B --start 001 photos/*.jpg\n"
    "  Name photos by the date taken, 20250714_093005.jpg:\n"
    "    quorbel-cli --date %Y%m%d_%H%M%S photos/*.jpg\n"
    "  Turn IMG_0001.jpg into trip_0001.jpg:\n"
    "    quorbel-cli --replace 'IMG_(\\d+)' 'trip_$1' --regex photos/*.jpg\n"
    "  See what would happen, then do it:\n"
    "    quorbel-cli --check --names new.txt *.seq && quorbel-cli --names new.txt *.seq\n";

// The help shows what an option takes, not the parser's bookkeeping of which
// options need or exclude which; the descriptions say that in words.
CLI::Option* takes(CLI::Option* option, const char* what) {
    return option->option_text(what);
}

void addFileOptions(CLI::App& app, CliOptions& o) {
    auto* files = app.add_option("files", o.files,
                                 "Files to rename, in this order; the order is the row order.\n"
                                 "Put -- before names that start with -.  Example: a.jpg b.jpg");
    takes(files, "FILE ...");
    auto* from = app.add_option("--files-from", o.filesFrom,
                                "Read the files from FILE, one path a line (- for standard\n"
                                "input).  Example: --files-from list.txt");
    takes(from, "FILE");
    app.add_flag("-0,--null", o.nulSeparated,
                 "The lists of --files-from and --names are separated by NUL bytes\n"
                 "instead of line ends, so any file name works; output lines end with\n"
                 "NUL too.  Example: find . -name '*.ab1' -print0 | quorbel-cli -0\n"
                 "--files-from - --names names.txt");
    auto* dir = app.add_option("--dir", o.dir,
                               "Take every file of FOLDER that matches --type, as the\n"
                               "directory import does.  Example: --dir run42 --type '*.ab1'");
    auto* type = app.add_option("--type", o.type,
                                "File patterns for --dir, joined by \";\".  Example:\n"
                                "--type '*.jpg;*.png'");
    takes(dir, "FOLDER");
    takes(type, "PATTERN");
    dir->needs(type);
    type->needs(dir);
    dir->excludes(from)->excludes(files);
    from->excludes(files);
}

CLI::Option* addReplaceOptions(CLI::App& app, CliOptions& o) {
    auto* replace = app.add_option("--replace", o.replace,
                                   "New names by find and replace in each file's name without\n"
                                   "extension: every FIND becomes REPLACEMENT; files where FIND\n"
                                   "does not occur stay as they are.  Example: --replace IMG trip");
    replace->expected(2)->allow_extra_args(false);
    takes(replace, "FIND REPLACEMENT");
    auto* regex = app.add_flag("--regex", o.regex,
                               "FIND is a regular expression (PCRE2, UTF-8); REPLACEMENT may\n"
                               "name its groups as $1, ${1} or ${name}, and $$ is a $.\n"
                               "Example: --replace 'IMG_(\\d+)' 'trip_$1' --regex");
    auto* ignoreCase = app.add_flag("--ignore-case", o.ignoreCase,
                                    "FIND matches letters of any case, in every script.\n"
                                    "Example: --replace img trip --ignore-case");
    takes(regex, "");
    takes(ignoreCase, "");
    regex->needs(replace);
    ignoreCase->needs(replace);
    return replace;
}

void addNameOptions(CLI::App& app, CliOptions& o) {
    auto* map = app.add_option("--map", o.map,
                               "New names from a mapping table in WORKBOOK (.xls, .xlsx,\n"
                               ".ods, .csv, .txt): each file's name without extension is looked\n"
                               "up in column --key of sheet --sheet, and column --value of\n"
                               "that row gives the new name.  Example: --map plate.xls");
    auto* sheet =
        app.add_option("--sheet", o.sheet, "Sheet of --map or --plate.  Example: --sheet 名单");
    auto* key = app.add_option("--key", o.key,
                               "Column of --map holding the old names (without extension).\n"
                               "Example: --key 文件名");
    auto* value = app.add_option("--value", o.value,
                                 "Column of --map holding the new names.  Example: --value 新名");
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
                       "New names from a plate layout in WORKBOOK: sheet --sheet holds a\n"
                       "96- or 384-well grid, row letters A, B, ... down the left and column\n"
                       "numbers 1, 2, ... across the top. A file whose name is a well\n"
                       "(A01.ab1) or holds one between _ - . or blanks (run5_C12_16.ab1)\n"
                       "gets that well's text.  Example: --plate plate.xlsx --sheet 板图");
    auto* block = app.add_option("--block", o.block,
                                 "Which plate of --sheet, counted from the top (default 1).\n"
                                 "Example: --block 2");
    takes(plate, "WORKBOOK");
    takes(block, "N");
    plate->needs(sheet);
    block->needs(plate);
    auto* number = app.add_flag("--number", o.number,
                                "New names by auto numbering: --prefix, then a counter from\n"
                                "--start by --step over the rows --first to --last, filled\n"
                                "with zeros to the width of --start.  Example: --number");
    auto* prefix = app.add_option("--prefix", o.prefix,
                                  "Text before the counter (default B).  Example: --prefix S");
    auto* start = app.add_option("--start", o.start,
                                 "First counter value (default 01); its length is the\n"
                                 "width.  Example: --start 001 gives 001, 002, ...");
    auto* step =
        app.add_option("--step", o.step, "Increment per row (default 1).  Example: --step 2");
    auto* first =
        app.add_option("--first", o.first, "First row to number (default 1).  Example: --first 3");
    auto* last = app.add_option("--last", o.last,
                                "Last row to number (default the last row).  Example: --last 96");
    takes(number, "");
    takes(prefix, "TEXT");
    for (CLI::Option* part : {start, step, first, last})
        takes(part, "N");
    for (CLI::Option* part : {prefix, start, step, first, last})
        part->needs(number);
    auto* names = app.add_option("--names", o.names,
                                 "New names from FILE, one a line in row order, without\n"
                                 "extension (- for standard input); an empty line leaves its\n"
                                 "file as it is.  Example: --names new.txt");
    takes(names, "FILE");
    CLI::Option* replace = addReplaceOptions(app, o);
    auto* date = app.add_option("--date", o.date,
                                "New names from the date each picture was taken (EXIF\n"
                                "DateTimeOriginal, else DateTimeDigitized, else DateTime):\n"
                                "%Y %m %d %H %M %S stand for its parts, %% for %, other text\n"
                                "for itself. Files of the same second get _2, _3, ..., names\n"
                                "already in the folder count; files without a date stay as\n"
                                "they are.  Example: --date %Y%m%d_%H%M%S");
    takes(date, "PATTERN");
    date->each([&o](const std::string&) { o.dateGiven = true; });
    const std::vector<CLI::Option*> ways{map, plate, number, names, replace, date};
    for (std::size_t i = 0; i < ways.size(); ++i)
        for (std::size_t j = i + 1; j < ways.size(); ++j)
            ways[i]->excludes(ways[j]);
}

void addRunOptions(CLI::App& app, CliOptions& o) {
    auto* check = app.add_flag("--check", o.check,
                               "Predict every row's result without renaming anything.\n"
                               "Example: --check --names new.txt *.seq");
    auto* undo = app.add_flag("--undo", o.undo,
                              "Undo the last run, from its journal; takes no files.\n"
                              "Example: --undo");
    auto* exportTo = app.add_option("--export", o.exportPath,
                                    "After the run, write the list with every row's result to\n"
                                    "FILE, .xls or .xlsx by its extension; a failed export\n"
                                    "gives exit status 1.  Example: --export result.xlsx");
    takes(check, "");
    takes(undo, "");
    takes(exportTo, "FILE");
    app.add_flag("-q,--quiet", o.quiet,
                 "Print failed rows only, and no status text.  Example: --quiet");
    undo->excludes(check);
    check->excludes(exportTo);
    undo->excludes(exportTo);
    for (const char* name : {"files", "--files-from", "--dir", "--map", "--plate", "--number",
                             "--names", "--replace", "--date"})
        undo->excludes(app.get_option(name));
}

} // namespace

std::unique_ptr<CLI::App> buildCli(CliOptions& options) {
    auto app = std::make_unique<CLI::App>(description, "quorbel-cli");
    app->footer(examples);
    app->get_formatter()->column_width(24);
    app->set_version_flag("--version", std::string("quorbel-cli ") + projectVersion,
                          "Print the version and exit.");
    addFileOptions(*app, options);
    addNameOptions(*app, options);
    addRunOptions(*app, options);
    return app;
}

} // namespace quorbel
