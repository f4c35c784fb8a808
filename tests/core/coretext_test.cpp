// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/coretext.h"
#include "intake/directoryscan.h"
#include "intake/patternlist.h"
#include "mapping/mappingchoice.h"
#include "mapping/workbookmessages.h"
#include "numbering/datenamer.h"
#include "numbering/datepattern.h"
#include "numbering/namegenerator.h"
#include "numbering/namereplacer.h"
#include "platform/posixfilesystem.h"
#include "renamelist/renamejournal.h"
#include "renamelist/renamelist.h"
#include "renamelist/renamerun.h"
#include "renamelist/runcheck.h"
#include "renamelist/runundo.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace quorbel {
namespace {

using test::TempDir;

// Sets the process's language for one test and puts Chinese back after it.
class InLanguage {
public:
    explicit InLanguage(Language language) { setCoreLanguage(language); }
    ~InLanguage() { setCoreLanguage(Language::Chinese); }
};

// A real run over a folder where one new name is taken: row 1 renamed, row 2
// blocked, row 3 left as it is.
struct RunOutcome {
    std::vector<std::string> results; // column 6 of rows 1 to 3
    RenameRunSummary summary;
    std::string header; // the header row, joined by "|"
};

RunOutcome runOverFolder() {
    TempDir dir;
    const std::string folder = dir.path().string() + "/";
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "taken.jpg"})
        std::ofstream(folder + name);
    RenameList list;
    list.fill({folder + "a.jpg", folder + "b.jpg", folder + "c.jpg"}, posixPathRule);
    list.setCell(RenameList::NewName, 1, "x");
    list.setCell(RenameList::NewName, 2, "taken");
    RunOutcome outcome;
    outcome.summary = RenameRun(list, posixFileSystem()).run();
    for (int row = 1; row <= 3; ++row)
        outcome.results.push_back(list.getCell(RenameList::Result, row));
    for (int column = 1; column < RenameList::ColCount; ++column)
        outcome.header += list.getCell(column, 0) + (column + 1 < RenameList::ColCount ? "|" : "");
    return outcome;
}

struct WordCase {
    const char* name;
    std::function<std::string()> shown;
    std::string chinese;
    std::string english;
};

class CoreWords : public ::testing::TestWithParam<WordCase> {};

// Every text the core shows, produced by the code that shows it, in both languages.
TEST_P(CoreWords, ReadAsWrittenInEitherLanguage) {
    const WordCase& c = GetParam();
    {
        InLanguage chinese(Language::Chinese);
        EXPECT_EQ(c.shown(), c.chinese);
    }
    InLanguage english(Language::English);
    EXPECT_EQ(c.shown(), c.english);
}

RunPrediction prediction(int renamed, int failed) {
    RunPrediction p;
    p.renamed = renamed;
    p.failed = failed;
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Core, CoreWords,
    ::testing::Values(
        WordCase{"RunResults", [] {
                     const RunOutcome run = runOverFolder();
                     return run.results[0] + "|" + run.results[1] + "|" + run.results[2];
                 },
                 "成功|失败,文件重复|保持不变", "Renamed|Failed: file exists|Unchanged"},
        WordCase{"FailureListLine",
                 [] {
                     const std::string line = runOverFolder().summary.failures;
                     return line.substr(line.rfind('/') + 1);
                 },
                 "taken.jpg 原因:失败,文件重复\r\n", "taken.jpg reason: Failed: file exists\r\n"},
        WordCase{"HeaderRow", [] { return runOverFolder().header; },
                 "序号|原名称|新名称|后缀|目录|处理结果", "No.|Old name|New name|Ext.|Folder|Result"},
        WordCase{"OtherResultWords",
                 [] {
                     std::string words;
                     for (FsStatus status : {FsStatus::SourceMissing, FsStatus::AccessDenied,
                                             FsStatus::ReadOnlyFileSystem, FsStatus::InvalidName,
                                             FsStatus::Refused})
                         words += std::string(resultWordFor(status)->text()) + "|";
                     return words + resultword::undone.text();
                 },
                 "失败,文件不存在|失败,没有权限|失败,只读|失败,名称无效|失败,无法改名|已撤销",
                 "Failed: file not found|Failed: permission denied|Failed: read-only|"
                 "Failed: invalid name|Failed: cannot rename|Undone"},
        WordCase{"RenamedOne", [] { return renamedStatusText(1); }, "成功替换 1 个文件",
                 "Renamed 1 file"},
        WordCase{"RenamedMany", [] { return renamedStatusText(12); }, "成功替换 12 个文件",
                 "Renamed 12 files"},
        WordCase{"RenamedNone", [] { return renamedStatusText(0); }, "成功替换 0 个文件",
                 "Renamed 0 files"},
        WordCase{"Check", [] { return precheckStatusText(prediction(3, 1)); },
                 "预检: 3 个文件可以换名, 1 个将失败", "Check: 3 can be renamed, 1 would fail"},
        WordCase{"PredictedWord", [] { return predictedWord(resultword::success.text()); },
                 "预计:成功", "Expected: Renamed"},
        WordCase{"UndoneOne", [] { return undoneStatusText(1); }, "撤销 1 个文件",
                 "Renamed 1 file back"},
        WordCase{"UndoneMany", [] { return undoneStatusText(4); }, "撤销 4 个文件",
                 "Renamed 4 files back"},
        WordCase{"Mapped", [] { return mappedStatusText(2); }, "使用对应表对应 2 个文件",
                 "Mapping table matched 2 files"},
        WordCase{"StartNotInteger", [] { return std::string(startNotIntegerMessage); },
                 "起始编号只允许数字", "The start number may hold digits only"},
        WordCase{"WorkbookDamaged", [] { return std::string(workbookmessages::Damaged); },
                 "工作簿已损坏或不完整,无法读取",
                 "The workbook is damaged or incomplete and cannot be read"},
        WordCase{"JournalLine", [] { return parseJournal("nonsense\n").problem; },
                 "第 1 行校验不符", "line 1 fails its checksum"},
        WordCase{"ChooserFilters",
                 [] {
                     std::string captions;
                     for (const PatternEntry& entry : parsePatternList(chooserPatternList.text()))
                         captions += entry.caption + "|";
                     return captions;
                 },
                 "图片文件|JPEG Image File (*.jpg)|JPEG Image File (*.jpeg)|Bitmaps (*.bmp)|"
                 "Icons (*.ico)|Enhanced Metafiles (*.emf)|Metafiles (*.wmf)|photoshop(*.png)|"
                 "Tiff(*.tif)|Gif(*.gif)|测序图谱文件(*.ab1)|序列文件(*.seq)|文本文件(*.txt)|"
                 "MP3(*.mp3)|全部文件(*.*)|",
                 "Picture files|JPEG Image File (*.jpg)|JPEG Image File (*.jpeg)|Bitmaps (*.bmp)|"
                 "Icons (*.ico)|Enhanced Metafiles (*.emf)|Metafiles (*.wmf)|photoshop(*.png)|"
                 "Tiff(*.tif)|Gif(*.gif)|Sequencing traces (*.ab1)|Sequence files (*.seq)|"
                 "Text files (*.txt)|MP3(*.mp3)|All files (*.*)|"},
        WordCase{"DirectoryFilterPatterns",
                 [] {
                     std::string patterns;
                     for (const PatternEntry& entry : parsePatternList(directoryPatternList.text()))
                         patterns += entry.pattern + "|";
                     return patterns;
                 },
                 // The patterns are the same in both languages; only captions differ.
                 "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png;*.tif;*.gif|*.jpg|*.jpeg|*.bmp|*.ico|"
                 "*.emf|*.wmf|*.png|*.tif|*.gif|*.ab1|*.seq|*.txt|*.*|",
                 "*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png;*.tif;*.gif|*.jpg|*.jpeg|*.bmp|*.ico|"
                 "*.emf|*.wmf|*.png|*.tif|*.gif|*.ab1|*.seq|*.txt|*.*|"},
        WordCase{"DatePatternProblem",
                 [] {
                     try {
                         DatePattern("%Y/%m");
                     } catch (const DatePatternError& error) {
                         return std::string(error.what());
                     }
                     return std::string();
                 },
                 "日期格式第 3 个字符处有误：名称里不能有 /",
                 "The date pattern is wrong at character 3: a name cannot hold /"},
        WordCase{"ReplaceRuleProblem",
                 [] {
                     try {
                         NameReplacer({"IMG_(\\d+", "x", true, false});
                     } catch (const ReplaceRuleError& error) {
                         return std::string(error.what());
                     }
                     return std::string();
                 },
                 "正则表达式末尾有误：缺少 )", "The regular expression is wrong at the end: ) is missing"},
        WordCase{"CustomFilter", [] { return customEntryText("  *.ab1 "); },
                 "|自定义(*.ab1)|*.ab1", "|Custom (*.ab1)|*.ab1"}),
    [](const auto& info) { return std::string(info.param.name); });

// Column 6 is read back by its text (the command line tells failures from
// it), so no two result words may read alike in either language.
TEST(CoreWordsApart, NoTwoResultWordsReadAlike) {
    const CoreText* words[] = {&resultword::unchanged,    &resultword::success,
                               &resultword::targetExists, &resultword::sourceMissing,
                               &resultword::accessDenied, &resultword::readOnly,
                               &resultword::invalidName,  &resultword::cannotRename,
                               &resultword::undone};
    for (Language language : {Language::Chinese, Language::English}) {
        std::set<std::string> seen;
        for (const CoreText* word : words)
            EXPECT_TRUE(seen.insert(word->in(language)).second) << word->in(language);
    }
}

struct LocaleCase {
    const char* name;
    const char* locale;
    Language language;
};

class LocaleLanguage : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(LocaleLanguage, ChineseOnlyForChineseLocales) {
    EXPECT_EQ(languageOfLocale(GetParam().locale), GetParam().language);
}

INSTANTIATE_TEST_SUITE_P(
    Core, LocaleLanguage,
    ::testing::Values(LocaleCase{"Mainland", "zh_CN.UTF-8", Language::Chinese},
                      LocaleCase{"Taiwan", "zh_TW", Language::Chinese},
                      LocaleCase{"LanguageOnly", "zh", Language::Chinese},
                      LocaleCase{"WithModifier", "zh_CN.GB18030@pinyin", Language::Chinese},
                      LocaleCase{"English", "en_US.UTF-8", Language::English},
                      LocaleCase{"German", "de_DE.UTF-8", Language::English},
                      LocaleCase{"C", "C", Language::English},
                      LocaleCase{"CUtf8", "C.UTF-8", Language::English},
                      LocaleCase{"Posix", "POSIX", Language::English},
                      LocaleCase{"Empty", "", Language::English},
                      // A language code that merely starts with the letters.
                      LocaleCase{"Zha", "zha_CN", Language::English}),
    [](const auto& info) { return std::string(info.param.name); });

struct FillCase {
    const char* name;
    const char* pattern;
    std::vector<std::string> values;
    std::string expected;
};

class FillIn : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillIn, PutsTheValuesInTheirPlaces) {
    const FillCase& c = GetParam();
    std::vector<std::string_view> views(c.values.begin(), c.values.end());
    EXPECT_EQ(fillIn(c.pattern, views.data(), views.size()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Core, FillIn,
    ::testing::Values(
        FillCase{"InOrder", "%1 of %2", {"3", "9"}, "3 of 9"},
        // Chinese and English may put the values in different orders.
        FillCase{"OutOfOrder", "第 %2 行有 %1 个", {"7", "12"}, "第 12 行有 7 个"},
        FillCase{"Repeated", "|自定义(%1)|%1", {"*.x"}, "|自定义(*.x)|*.x"},
        // A value is put in as it stands, even when it holds a mark itself.
        FillCase{"ValueWithMark", "%1 and %2", {"%2", "b"}, "%2 and b"},
        FillCase{"EscapedPercent", "100%% of %1", {"5"}, "100% of 5"},
        FillCase{"MissingValue", "%1 %2", {"a"}, "a %2"},
        FillCase{"TrailingPercent", "50%", {}, "50%"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace quorbel
