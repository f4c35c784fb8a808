// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "intake/recordstream.h"
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
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <unistd.h>

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

// An empty record names no file: a blank line, or the end of "-print0" output.
template <typename Paths> void fillWith(RenameList& list, Paths& paths) {
    std::erase(paths, typename Paths::value_type());
    if (paths.empty())
        throw UsageError(clitext::noFiles);
    if constexpr (std::is_same_v<typename Paths::value_type, std::string_view>)
        list.fillViews(paths, posixPathRule);
    else
        list.fill(paths, posixPathRule);
}

bool nextPath(RecordStream& stream, std::string_view& path) {
    // An empty record names no file: a blank line, or the end of "-print0" output.
    while (stream.next(path))
        if (!path.empty())
            return true;
    return false;
}

// A list file read twice through a small buffer, counting its paths, then
// filling the list with them: a million paths never stand in memory beside the
// list they fill.
void fillFromFile(RenameList& list, RecordStream& stream, const std::string& path) {
    std::size_t count = 0;
    std::string_view record;
    while (nextPath(stream, record))
        ++count;
    if (stream.error() || !stream.rewind())
        throw UsageError(clitext::cannotRead.fill({path, std::strerror(stream.error())}));
    if (count == 0)
        throw UsageError(clitext::noFiles);
    const std::size_t filled = list.fillSequence(
        count, [&stream](std::string_view& next) { return nextPath(stream, next); }, posixPathRule);
    if (stream.error())
        throw UsageError(clitext::cannotRead.fill({path, std::strerror(stream.error())}));
    if (filled != count || nextPath(stream, record))
        throw UsageError(clitext::listChanged.fill({path}));
}

void fillList(RenameList& list, const CliOptions& o) {
    if (!o.dir.empty()) {
        std::vector<std::string> paths = scanFolder(o);
        fillWith(list, paths);
    } else if (o.filesFrom.empty()) {
        std::vector<std::string> paths = o.files;
        fillWith(list, paths);
    } else if (std::unique_ptr<RecordStream> stream =
                   o.filesFrom == "-" ? nullptr
                                      : RecordStream::openFile(o.filesFrom, o.nulSeparated)) {
        fillFromFile(list, *stream, o.filesFrom);
    } else {
        // Standard input and pipes can be read only once: kept as one block
        // while the list is filled, then let go.
        RecordBlock block = readRecordBlock(o.filesFrom, o.nulSeparated);
        fillWith(list, block.records);
    }
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

void checkNameCount(const RenameList& list, const CliOptions& o, std::size_t names) {
    const int files = list.RowCount() - 1;
    if (static_cast<long long>(names) != files)
        throw UsageError(clitext::namesCount.count(
            static_cast<long long>(names),
            {std::to_string(files), o.names == "-" ? clitext::standardInput.text() : o.names}));
}

// The names as a list file gives them; an empty line at the very end is the
// habit of a text editor, not a name.
std::size_t countNames(RecordStream& stream) {
    std::size_t count = 0;
    bool lastEmpty = false;
    std::string_view record;
    while (stream.next(record)) {
        ++count;
        lastEmpty = record.empty();
    }
    return lastEmpty ? count - 1 : count;
}

// A names file is read twice through a small buffer, as a list file is: once
// to count, then into the list.
void applyNamesFromFile(RenameList& list, const CliOptions& o, RecordStream& stream) {
    const std::size_t count = countNames(stream);
    if (stream.error() || !stream.rewind())
        throw UsageError(clitext::cannotRead.fill({o.names, std::strerror(stream.error())}));
    checkNameCount(list, o, count);
    std::string_view name;
    std::size_t given = 0;
    list.beginUpdate();
    for (int row = 1; row < list.RowCount() && stream.next(name); ++row, ++given)
        list.setCell(RenameList::NewName, row, std::string(name));
    list.endUpdate();
    if (stream.error())
        throw UsageError(clitext::cannotRead.fill({o.names, std::strerror(stream.error())}));
    if (given != count || countNames(stream) != 0 || stream.error())
        throw UsageError(clitext::listChanged.fill({o.names}));
}

void applyNameList(RenameList& list, const CliOptions& o) {
    if (o.names != "-") {
        if (const auto stream = RecordStream::openFile(o.names, o.nulSeparated))
            return applyNamesFromFile(list, o, *stream);
    }
    const RecordBlock block = readRecordBlock(o.names, o.nulSeparated);
    const std::vector<std::string_view>& names = block.records;
    checkNameCount(list, o, names.size());
    list.beginUpdate();
    for (int row = 1; row < list.RowCount(); ++row)
        list.setCell(RenameList::NewName, row, std::string(names[static_cast<size_t>(row - 1)]));
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

// Without -0 a name holding a tab or a line break would break its line, so
// paths are escaped as the journal escapes them; with -0 they stay as they are.
class RowPrinter {
public:
    RowPrinter(bool quiet, bool nulSeparated)
        : quiet_(quiet), raw_(nulSeparated), end_(nulSeparated ? '\0' : '\n') {
        std::setvbuf(stdout, nullptr, _IOFBF, 1 << 20);
    }

    bool wants(std::string_view word) const { return !quiet_ || failed(word); }

    // Row, old path, new path (empty when the row has no new name), word,
    // with the row's paths as the list names them now.
    void print(const RenameList& list, int row, std::string_view word) {
        if (!wants(word))
            return;
        const std::string& newName = list.getCell(RenameList::NewName, row);
        write(row, list.oldPath(row), newName.empty() ? std::string() : list.newPath(row), word);
    }

    void write(int row, std::string_view oldPath, std::string_view newPath, std::string_view word) {
        if (!hold_)
            line_.clear();
        line_.append(std::to_string(row)).append(1, '\t');
        appendPath(oldPath);
        line_.append(1, '\t');
        appendPath(newPath);
        line_.append(1, '\t').append(word).append(1, end_);
        if (!hold_)
            std::fwrite(line_.data(), 1, line_.size(), stdout);
    }

    void holdUntilFlush(bool hold) { hold_ = hold; }
    void flush() {
        if (hold_)
            std::fwrite(line_.data(), 1, line_.size(), stdout);
        line_.clear();
        std::fflush(stdout);
    }

private:
    void appendPath(std::string_view path) {
        if (raw_)
            line_.append(path);
        else
            line_.append(escapeJournalPath(path));
    }

    bool quiet_;
    bool raw_;
    char end_;
    bool hold_ = false;
    std::string line_; // one line, or every line while they are held
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
    // No file is renamed unless the journal that makes the run undoable is there.
    const JournalStore store = journalStore();
    const std::unique_ptr<HistoryLock> lock = lockHistory(store);
    mentionUnfinishedRun(store, o);
    std::string error;
    const std::unique_ptr<JournalFile> journal = store.start(*lock, error);
    if (!journal)
        throw UsageError(clitext::noJournal.fill({error}));
    RenameRunSummary summary;
    RowPrinter printer(o.quiet, o.nulSeparated);
    // Lines written during the run would cut through the progress bar on a
    // terminal; there they wait for the run's end.
    printer.holdUntilFlush(::isatty(STDOUT_FILENO) != 0);
    bool anyFailed = false;
    {
        ProgressBar progress(list.RowCount() - 1);
        RenameRun run(list, posixFileSystem(), journal.get());
        // Each row is printed as it is done, from the paths it named before
        // the run; only a row that was renamed has changed its old name.
        run.RowDone = [&](int row, const RowPlan& plan, ResultWord result) {
            const std::string_view word = result->text();
            anyFailed = anyFailed || failed(word);
            if (!printer.wants(word))
                return;
            if (result == &resultword::success)
                printer.write(row, plan.oldPath, plan.newPath, word);
            else
                printer.print(list, row, word);
        };
        summary = run.run([&progress](int rowsDone) { progress.advance(rowsDone); });
    }
    store.settle(journal->path(), summary.renamed > 0);
    // Rows below a stop of the run were never tried: they keep their names.
    for (int row = summary.stoppedAtRow > 0 ? summary.stoppedAtRow : list.RowCount();
         row < list.RowCount(); ++row) {
        const std::string& word = list.getCell(RenameList::Result, row);
        anyFailed = anyFailed || failed(word);
        printer.print(list, row, word);
    }
    printer.flush();
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
    const RunPrediction prediction = predictRun(list, posixFileSystem());
    RowPrinter printer(o.quiet, o.nulSeparated);
    for (int row = 1; row < list.RowCount(); ++row)
        printer.print(list, row, prediction.words[static_cast<size_t>(row)]);
    printer.flush();
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
    fillList(list, o);
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
