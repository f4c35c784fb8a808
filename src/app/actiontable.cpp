// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/actiontable.h"

#include "app/main.h"

#include <QtGlobal>

namespace quorbel {

const std::array<ActionEntry, 13> actionTable{{
    {"actOpenFile", QT_TRANSLATE_NOOP("quorbel::TfrmMain", "文件"),
     QT_TRANSLATE_NOOP("quorbel::TfrmMain", "选择文件"), "file", 2, true,
     &TfrmMain::actOpenFileExecute},
    {"actOpenDir", QT_TRANSLATE_NOOP("quorbel::TfrmMain", "目录"), "", "file", 8, false,
     &TfrmMain::actOpenDirExecute},
    {"actExit", QT_TRANSLATE_NOOP("quorbel::TfrmMain", "退出"), "", "file", 3, true,
     &TfrmMain::actExitExecute},
    {"actRename", QT_TRANSLATE_NOOP("quorbel::TfrmMain", "换名"),
     QT_TRANSLATE_NOOP("quorbel::TfrmMain", "换名"), "do", 0, true, &TfrmMain::actRenameExecute},
    {"actExcel", QT_TRANSLATE_NOOP("quorbel::TfrmMain", "对应表"),
     QT_TRANSLATE_NOOP("quorbel::TfrmMain", "使用对应表填充新名称"), "do", 4, true,
     &TfrmMain::actExcelExecute},
    {"actBH", QT_TRANSLATE_NOOP("quorbel::TfrmMain", "自动编号"),
     QT_TRANSLATE_NOOP("quorbel::TfrmMain", "自动编号"), "do", 5, true, &TfrmMain::actBHExecute},
    {"actAbout", QT_TRANSLATE_NOOP("quorbel::TfrmMain", "关于"), "", "help", 1, true,
     &TfrmMain::actAboutExecute},
    {"actClearResult", QT_TRANSLATE_NOOP("quorbel::TfrmMain", "清空结果"),
     QT_TRANSLATE_NOOP("quorbel::TfrmMain", "清除处理结果"), "do", 6, true,
     &TfrmMain::actClearResultExecute},
    {"actSaveToExcel", QT_TRANSLATE_NOOP("quorbel::TfrmMain", "保存列表"), "", "file", 7, true,
     &TfrmMain::actSaveToExcelExecute},
    {"actPrecheck", QT_TRANSLATE_NOOP("quorbel::TfrmMain", "预检"), "", "do", 9, true,
     &TfrmMain::actPrecheckExecute},
    {"actUndo", QT_TRANSLATE_NOOP("quorbel::TfrmMain", "撤销换名"), "", "do", 10, true,
     &TfrmMain::actUndoExecute},
    {"actReplace", QT_TRANSLATE_NOOP("quorbel::TfrmMain", "查找替换"), "", "do", 11, true,
     &TfrmMain::actReplaceExecute},
    {"actDateName", QT_TRANSLATE_NOOP("quorbel::TfrmMain", "按拍摄日期命名"), "", "do", 12, true,
     &TfrmMain::actDateNameExecute},
}};

const std::array<MenuEntry, 3> menuTree{{
    {"文件", {"actOpenDir", "actOpenFile", "-", "actSaveToExcel", "-", "actExit", "", ""}},
    // The commands added since stay off the tool bar, which keeps its layout.
    {"操作",
     {"actExcel", "actBH", "actReplace", "actDateName", "actPrecheck", "actRename", "actUndo", "-",
      "actClearResult", ""}},
    {"帮助", {"actAbout", "", "", "", "", "", "", ""}},
}};

namespace {

// What lupdate reads for the menu titles and the tool bar; the window
// translates the tables' texts with these comments.
struct SourceText {
    const char* source;
    const char* comment;
};

// A menu title may read differently from a command of the same words ("文件").
[[maybe_unused]] constexpr SourceText menuCaptions[] = {
    QT_TRANSLATE_NOOP3("quorbel::TfrmMain", "文件", "menu"),
    QT_TRANSLATE_NOOP3("quorbel::TfrmMain", "操作", "menu"),
    QT_TRANSLATE_NOOP3("quorbel::TfrmMain", "帮助", "menu"),
};

// The tool bar's buttons are narrow: where a translation needs a shorter
// caption there than in the menu, it translates these.
[[maybe_unused]] constexpr SourceText toolBarCaptions[] = {
    QT_TRANSLATE_NOOP3("quorbel::TfrmMain", "文件", "tool bar"),
    QT_TRANSLATE_NOOP3("quorbel::TfrmMain", "保存列表", "tool bar"),
    QT_TRANSLATE_NOOP3("quorbel::TfrmMain", "对应表", "tool bar"),
    QT_TRANSLATE_NOOP3("quorbel::TfrmMain", "自动编号", "tool bar"),
    QT_TRANSLATE_NOOP3("quorbel::TfrmMain", "清空结果", "tool bar"),
};

} // namespace

const std::array<std::string_view, 11> toolBarOrder{
    "actOpenDir", "actOpenFile",    "-", "actSaveToExcel", "actExcel", "actBH",
    "actRename",  "actClearResult", "-", "actAbout",       "actExit"};

} // namespace quorbel
