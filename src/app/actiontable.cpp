#include "app/actiontable.h"

#include "app/main.h"

namespace quorbel {

const std::array<ActionEntry, 13> actionTable{{
    {"actOpenFile", "文件", "选择文件", "file", 2, true, &TfrmMain::actOpenFileExecute},
    {"actOpenDir", "目录", "", "file", 8, false, &TfrmMain::actOpenDirExecute},
    {"actExit", "退出", "", "file", 3, true, &TfrmMain::actExitExecute},
    {"actRename", "换名", "换名", "do", 0, true, &TfrmMain::actRenameExecute},
    {"actExcel", "对应表", "使用对应表填充新名称", "do", 4, true, &TfrmMain::actExcelExecute},
    {"actBH", "自动编号", "自动编号", "do", 5, true, &TfrmMain::actBHExecute},
    {"actAbout", "关于", "", "help", 1, true, &TfrmMain::actAboutExecute},
    {"actClearResult", "清空结果", "清除处理结果", "do", 6, true, &TfrmMain::actClearResultExecute},
    {"actSaveToExcel", "保存列表", "", "file", 7, true, &TfrmMain::actSaveToExcelExecute},
    {"actPrecheck", "预检", "", "do", 9, true, &TfrmMain::actPrecheckExecute},
    {"actUndo", "撤销换名", "", "do", 10, true, &TfrmMain::actUndoExecute},
    {"actReplace", "查找替换", "", "do", 11, true, &TfrmMain::actReplaceExecute},
    {"actDateName", "按拍摄日期命名", "", "do", 12, true, &TfrmMain::actDateNameExecute},
}};

const std::array<MenuEntry, 3> menuTree{{
    {"文件", {"actOpenDir", "actOpenFile", "-", "actSaveToExcel", "-", "actExit", "", ""}},
    // The commands added since stay off the tool bar, which keeps its layout.
    {"操作",
     {"actExcel", "actBH", "actReplace", "actDateName", "actPrecheck", "actRename", "actUndo", "-",
      "actClearResult", ""}},
    {"帮助", {"actAbout", "", "", "", "", "", "", ""}},
}};

const std::array<std::string_view, 11> toolBarOrder{
    "actOpenDir", "actOpenFile",    "-", "actSaveToExcel", "actExcel", "actBH",
    "actRename",  "actClearResult", "-", "actAbout",       "actExit"};

} // namespace quorbel
