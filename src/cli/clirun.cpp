#include "cli/clirun.h"

#include "cli/clilocale.h"
#include "cli/clioptions.h"
#include "cli/clitexts.h"
#include "cli/cliplate.h"
#include "cli/parseerrortext.h"
#include "cli/progressbar.h"
#include "cli/recordreader.h"
#include "export/exportlist.h"
#include "global/collation.h"
#include "global/pathsplit.h"
#include "intake/directoryscan.h"
#include "mapping/applymapping.h"
#include "mapping/mappingchoice.h"
#include "mapping/workbookreader.h"
#include "numbering/datenamer.h"
#include "numbering/integerreading.h"
#include "numbering/namegenerator.h"
#include "numbering/namereplacer.h"
#include "platform/posixfilesystem.h"
#include "renamelist/journalstore.h"
#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"
#include "renamelist/runcheck.h"
#include "renamelist/runundo.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <sys/stat.h>
#include <cstdio>
#include <limits>
#include <memory>
#include <stdexcept>
#include <optional>
#include <string>
#include <vector>

namespace quorbel {
namespace {

constexpr int exitAllDone = 0;
constexpr int exitSomeFailed = 1;
constexpr int exitBadInput = 2;

// Asked before the run, so a mistyped name stops everything instead of
// leaving renamed files without their list.
std::optional<ExportFormat> exportFormatFor(const CliOptions& o) {
    if (o.exportPath.empty())
        return std::nullopt;
    const std::optional<ExportFormat> format = exportFormatOf(o.exportPath);
    if (!format)
        throw UsageError(clitext::exportExtension.fill({o.exportPath}));
    return format;
}

// The files are renamed by now, so a failed export is a failure of the run
// (status 1), not bad input.
int exportAfterRun(const RenameList& list, const std::string& path, ExportFormat format) {
    try {
        const ExportResult result = exportList(list, path, format);
        if (result.replacedCells > 0)
            std::fputs(
                clitext::replacedCells.count(static_cast<long long>(result.replacedCells)).c_str(),
                stderr);
        return exitAllDone;
    } catch (const ExportError& error) {
        std::fprintf(stderr, "quorbel-cli: %s\n", error.what());
        return exitSomeFailed;
    }
}

void refuseTwoReadersOfStandardInput(const CliOptions& o) {
    if (o.filesFrom == "-" && o.names == "-")
        throw UsageError(clitext::twoStdinReaders);
}

JournalStore journalStore() {
    return JournalStore(defaultJournalDirectory());
}

// The directory import's scan, sorted in the user's collation. The collation
// is taken from the environment for the sort alone: setting the process's
// locale would also change how numbers read from workbooks are written.
std::vector<std::string> scanFolder(const CliOptions& o) {
    struct stat folder {};
    if (::stat(o.dir.c_str(), &folder) != 0)
        throw UsageError(clitext::cannotOpenFolder.fill({o.dir, std::strerror(errno)}));
    if (!S_ISDIR(folder.st_mode))
        throw UsageError(clitext::notAFolder.fill({o.dir}));
    std::unique_ptr<CaseBlindCollation> collation;
    try {
        collation = std::make_unique<CaseBlindCollation>("");
    } catch (const std::runtime_error&) {
        collation = std::make_unique<CaseBlindCollation>("C.UTF-8");
    }
    return scanDirectory(o.dir, o.type, *collation);
}

std::vector<std::string> gatherPaths(const CliOptions& o) {
    std::vector<std::string> paths = !o.dir.empty()         ? scanFolder(o)
                                     : o.filesFrom.empty() ? o.files
                                                           : readRecords(o.filesFrom, o.nulSeparated);
    // An empty record names no file: a blank line, or the end of "-print0" output.
    std::erase(paths, std::string());
    if (paths.empty())
        throw UsageError(clitext::noFiles);
    return paths;
}

std::int32_t readNumberOption(const std::string& option, const std::string& text) {
    const std::optional<std::int32_t> value = readInteger(text);
    if (!value)
        throw UsageError(clitext::notAnInteger.fill({option, text}));
    return *value;
}

void applyNumbering(RenameList& list, const CliOptions& o) {
    const std::int32_t lastFileRow = list.RowCount() - 1;
    NumberingRequest request;
    request.prefix = o.prefix;
    request.startText = o.start;
    request.increment = readNumberOption("--step", o.step);
    request.firstRow = o.first.empty() ? 1 : readNumberOption("--first", o.first);
    request.lastRow = o.last.empty() ? lastFileRow : readNumberOption("--last", o.last);
    std::optional<std::vector<NumberedName>> names = numberRows(request, lastFileRow);
    if (!names)
        throw UsageError(clitext::startNotInteger.fill({startNotIntegerMessage.text(), o.start}));
    writeNewNames(list, std::move(*names));
}

void applyNameList(RenameList& list, const CliOptions& o) {
    std::vector<std::string> names = readRecords(o.names, o.nulSeparated);
    const int files = list.RowCount() - 1;
    if (static_cast<long long>(names.size()) != files)
        throw UsageError(clitext::namesCount.count(
            static_cast<long long>(names.size()),
            {std::to_string(files), o.names == "-" ? clitext::standardInput.text() : o.names}));
    list.beginUpdate();
    for (int row = 1; row <= files; ++row)
        list.setCell(RenameList::NewName, row, std::move(names[static_cast<size_t>(row - 1)]));
    list.endUpdate();
}

std::string applyMappingTable(RenameList& list, const CliOptions& o) {
    try {
        const std::unique_ptr<WorkbookReader> reader = openWorkbook(o.map);
        const MappingChoice choice = chooseMapping(*reader, o.sheet, o.key, o.value);
        const int matches =
            applyMapping(list, choice.table, choice.keyColumn, choice.valueColumn, list.locale());
        return mappedStatusText(matches);
    } catch (const WorkbookError& error) {
        throw UsageError(o.map + ": " + error.what());
    } catch (const MappingChoiceError& error) {
        throw UsageError(o.map + ": " + error.what());
    }
}

std::string applyReplace(RenameList& list, const CliOptions& o) {
    try {
        NameReplacer replacer({o.replace.at(0), o.replace.at(1), o.regex, o.ignoreCase});
        ReplacedNames result = replaceNames(list, replacer);
        std::string status = replacedStatusText(result);
        writeNewNames(list, std::move(result.names));
        return status;
    } catch (const ReplaceRuleError& error) {
        throw UsageError(std::string("--replace: ") + error.what());
    }
}

std::string applyDateNames(RenameList& list, const CliOptions& o) {
    std::optional<DatePattern> pattern;
    try {
        pattern.emplace(o.date);
    } catch (const DatePatternError& error) {
        throw UsageError(std::string("--date: ") + error.what());
    }
    DateNamer namer(list, posixFileSystem());
    DateNames result = namer.names(*pattern);
    std::string status = dateNamedStatusText(result);
    writeNewNames(list, std::move(result.names));
    return status;
}

// Returns the status text of the step, if it has one.
std::string giveNewNames(RenameList& list, const CliOptions& o) {
    if (!o.replace.empty())
        return applyReplace(list, o);
    if (o.dateGiven)
        return applyDateNames(list, o);
    if (!o.map.empty())
        return applyMappingTable(list, o);
    if (!o.plate.empty())
        return applyPlateLayout(list, o);
    if (o.number) {
        applyNumbering(list, o);
        return {};
    }
    if (!o.names.empty()) {
        applyNameList(list, o);
        return {};
    }
    throw UsageError(clitext::noNewNames);
}

bool failed(std::string_view word) {
    return word != resultword::success.text() && word != resultword::unchanged.text();
}

// Rows as they stood before the run, which moves a renamed row's new name into
// its old name.
struct PlannedRow {
    std::string oldPath;
    std::string newPath; // empty when the row has no new name
};

std::vector<PlannedRow> planOf(const RenameList& list) {
    std::vector<PlannedRow> rows;
    rows.reserve(static_cast<size_t>(list.RowCount()));
    for (int row = 1; row < list.RowCount(); ++row)
        rows.push_back({list.oldPath(row), list.getCell(RenameList::NewName, row).empty()
                                               ? std::string()
                                               : list.newPath(row)});
    return rows;
}

// Without -0 a name holding a tab or a line break would break its line, so
// paths are escaped as the journal escapes them; with -0 they stay as they are.
class RowPrinter {
public:
    RowPrinter(bool quiet, bool nulSeparated)
        : quiet_(quiet), raw_(nulSeparated), end_(nulSeparated ? '\0' : '\n') {
        std::setvbuf(stdout, nullptr, _IOFBF, 1 << 20);
    }

    void print(int row, const PlannedRow& plan, std::string_view word) {
        if (quiet_ && !failed(word))
            return;
        line_.clear();
        line_.append(std::to_string(row)).append(1, '\t');
        appendPath(plan.oldPath);
        line_.append(1, '\t');
        appendPath(plan.newPath);
        line_.append(1, '\t').append(word).append(1, end_);
        std::fwrite(line_.data(), 1, line_.size(), stdout);
    }

private:
    void appendPath(const std::string& path) {
        if (raw_)
            line_.append(path);
        else
            line_.append(escapeJournalPath(path));
    }

    bool quiet_;
    bool raw_;
    char end_;
    std::string line_;
};

std::unique_ptr<HistoryLock> lockHistory(const JournalStore& store) {
    bool busy = false;
    std::string error;
    std::unique_ptr<HistoryLock> lock = store.lock(busy, error);
    if (!lock && busy)
        throw UsageError(historyBusyText());
    if (!lock)
        throw UsageError(clitext::noJournal.fill({error}));
    return lock;
}

// A run cut short stays in the history; the user hears of it once per run.
void mentionUnfinishedRun(const JournalStore& store, const CliOptions& o) {
    if (o.quiet)
        return;
    const LatestRun latest = latestRunToUndo(store, true);
    if (latest.read.status != JournalReadStatus::Ok)
        return;
    const JournalContents& contents = latest.read.contents;
    if (!contents.finished && !contents.closed)
        std::fputs(clitext::earlierRunCutShort, stderr);
}

int renameAndReport(RenameList& list, const CliOptions& o) {
    const std::vector<PlannedRow> plan = planOf(list);
    // No file is renamed unless the journal that makes the run undoable is there.
    const JournalStore store = journalStore();
    const std::unique_ptr<HistoryLock> lock = lockHistory(store);
    mentionUnfinishedRun(store, o);
    std::string error;
    const std::unique_ptr<JournalFile> journal = store.start(*lock, error);
    if (!journal)
        throw UsageError(clitext::noJournal.fill({error}));
    RenameRunSummary summary;
    {
        ProgressBar progress(list.RowCount() - 1);
        RenameRun run(list, posixFileSystem(), journal.get());
        summary = run.run([&progress](int rowsDone) { progress.advance(rowsDone); });
    }
    store.settle(journal->path(), summary.renamed > 0);
    RowPrinter printer(o.quiet, o.nulSeparated);
    bool anyFailed = false;
    for (int row = 1; row < list.RowCount(); ++row) {
        const std::string& word = list.getCell(RenameList::Result, row);
        anyFailed = anyFailed || failed(word);
        printer.print(row, plan[static_cast<size_t>(row - 1)], word);
    }
    std::fflush(stdout);
    if (!o.quiet)
        std::fprintf(stderr, "%s\n", renamedStatusText(summary.renamed).c_str());
    if (summary.stoppedAtRow > 0) {
        std::fputs(clitext::journalStopped.fill({std::to_string(summary.stoppedAtRow)}).c_str(),
                   stderr);
        return exitSomeFailed;
    }
    return anyFailed ? exitSomeFailed : exitAllDone;
}

// The run's own prediction, printed as the run prints its rows.
int checkAndReport(const RenameList& list, const CliOptions& o) {
    const std::vector<PlannedRow> plan = planOf(list);
    const RunPrediction prediction = predictRun(list, posixFileSystem());
    RowPrinter printer(o.quiet, o.nulSeparated);
    for (int row = 1; row < list.RowCount(); ++row)
        printer.print(row, plan[static_cast<size_t>(row - 1)],
                      prediction.words[static_cast<size_t>(row)]);
    std::fflush(stdout);
    if (!o.quiet)
        std::fprintf(stderr, "%s\n", precheckStatusText(prediction).c_str());
    return prediction.failed > 0 ? exitSomeFailed : exitAllDone;
}

void printUndoFailures(std::string failures) {
    std::erase(failures, '\r');
    std::fwrite(failures.data(), 1, failures.size(), stdout);
    std::fflush(stdout);
}

std::string localTime(std::int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    char text[32] = "?";
    if (::localtime_r(&time, &parts))
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return text;
}

std::string historyLine(const RunSummaryLine& run) {
    const CoreText& state = run.status != JournalReadStatus::Ok ? clitext::runDamaged
                            : run.undone                        ? clitext::runUndone
                            : run.finished                      ? clitext::runDone
                                                                : clitext::runCutShort;
    std::string folder = escapeJournalPath(run.folder);
    if (run.folders > 1)
        folder += clitext::moreFolders.count(run.folders - 1);
    std::string files = clitext::filesRenamed.count(run.renamed);
    if (run.unknown > 0)
        files += clitext::notRecorded.count(run.unknown);
    return std::to_string(run.number) + "\t" + localTime(run.startedAt) + "\t" + folder + "\t" +
           files + "\t" + state.text() + "\n";
}

int historyAndReport() {
    for (const RunSummaryLine& run : describeHistory(journalStore()))
        std::fputs(historyLine(run).c_str(), stdout);
    std::fflush(stdout);
    return exitAllDone;
}

int undoAndReport(const CliOptions& o) {
    const JournalStore store = journalStore();
    const LastRunUndoResult result = undoLastRun(store, posixFileSystem());
    switch (result.status) {
    case LastRunUndo::Nothing:
        if (!o.quiet)
            std::fputs(clitext::nothingToUndo, stderr);
        return exitAllDone;
    case LastRunUndo::Busy:
        throw UsageError(historyBusyText());
    case LastRunUndo::Unusable:
        throw UsageError(
            clitext::journalUnusable.fill({result.journal, result.read.problem}) +
            (result.setAsidePath.empty() ? "" : clitext::keptAs.fill({result.setAsidePath})));
    case LastRunUndo::Undone:
        break;
    }
    printUndoFailures(result.summary.failures);
    if (!o.quiet)
        std::fprintf(stderr, "%s\n", undoneStatusText(result.summary.undone).c_str());
    if (!result.journalUpdated)
        std::fputs(clitext::journalNotMarked.fill({result.journal}).c_str(), stderr);
    return result.summary.failures.empty() && result.journalUpdated ? exitAllDone
                                                                    : exitSomeFailed;
}

// Everything an export could be refused for is known before the run, so a
// refused export renames nothing.
void checkExport(const RenameList& list, const CliOptions& o, ExportFormat format) {
    try {
        checkExportTarget(list, o.exportPath, format);
    } catch (const ExportError& error) {
        throw UsageError(clitext::exportRefused.fill({error.what()}));
    }
}

int execute(const CliOptions& o) {
    if (o.undo)
        return undoAndReport(o);
    if (o.history)
        return historyAndReport();
    refuseTwoReadersOfStandardInput(o);
    if (!o.sheet.empty() && o.map.empty() && o.plate.empty())
        throw UsageError(clitext::sheetWithoutWorkbook);
    const std::optional<ExportFormat> exportFormat = exportFormatFor(o);
    RenameList list;
    list.setLocale(environmentLocaleFormat());
    list.fill(gatherPaths(o), posixPathRule);
    const std::string status = giveNewNames(list, o);
    if (!status.empty() && !o.quiet)
        std::fprintf(stderr, "%s\n", status.c_str());
    if (o.check)
        return checkAndReport(list, o);
    if (exportFormat)
        checkExport(list, o, *exportFormat);
    const int runStatus = renameAndReport(list, o);
    if (!exportFormat)
        return runStatus;
    return std::max(runStatus, exportAfterRun(list, o.exportPath, *exportFormat));
}

} // namespace

int runCli(int argc, char** argv) {
    setCoreLanguage(environmentLanguage());
    CliOptions options;
    const std::unique_ptr<CLI::App> app = buildCli(options);
    try {
        app->parse(argc, argv);
    } catch (const CLI::Success& done) {
        return app->exit(done);
    } catch (const CLI::ParseError& error) {
        const std::string text = parseErrorText(*app, error, argc > 1 ? argv[argc - 1] : "");
        std::fprintf(stderr, "quorbel-cli: %s\n%s", text.c_str(), clitext::seeHelp.text());
        return exitBadInput;
    }
    try {
        return execute(options);
    } catch (const UsageError& error) {
        std::fprintf(stderr, "quorbel-cli: %s\n", error.what());
        return exitBadInput;
    }
}

} // namespace quorbel
