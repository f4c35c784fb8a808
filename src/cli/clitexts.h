// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/coretext.h"

// What quorbel-cli says in its own words, in both languages.
namespace quorbel::clitext {

inline constexpr CoreText exportExtension{"--export: 文件名必须以 .xls 或 .xlsx 结尾: %1",
                                          "--export: the file name must end in .xls or .xlsx: %1"};
inline constexpr CoreText replacedCells{
    "quorbel-cli: %1 个单元格中有不是 UTF-8 的字节,已写为 U+FFFD\n",
    "quorbel-cli: %1 cells held bytes that are not UTF-8; they were written as U+FFFD\n",
    "quorbel-cli: 1 cell held bytes that are not UTF-8; they were written as U+FFFD\n"};
inline constexpr CoreText twoStdinReaders{
    "--files-from 和 --names 不能都读标准输入",
    "--files-from and --names cannot both read standard input"};
inline constexpr CoreText noFiles{"没有要换名的文件", "no files to rename"};
inline constexpr CoreText notAnInteger{"%1 必须是整数,而不是“%2”",
                                       "%1 must be an integer, not \"%2\""};
inline constexpr CoreText startNotInteger{"%1: “%2”", "%1: \"%2\""};
inline constexpr CoreText namesCount{"%3 中有 %1 个新名称,文件却有 %2 个",
                                     "%1 new names for %2 files in %3",
                                     "1 new name for %2 files in %3"};
inline constexpr CoreText standardInput{"标准输入", "standard input"};
inline constexpr CoreText noNewNames{
    "没有新名称: 请给出 --map、--plate、--number、--names、--replace 或 --date",
    "no new names: give --map, --plate, --number, --names, --replace or --date"};
inline constexpr CoreText sheetWithoutWorkbook{"--sheet 需要 --map 或 --plate",
                                               "--sheet needs --map or --plate"};
inline constexpr CoreText noJournal{"无法写换名记录,没有换名任何文件: %1",
                                    "cannot write the journal, nothing renamed: %1"};
inline constexpr CoreText cannotOpenFolder{"--dir: 无法打开文件夹 %1: %2",
                                           "--dir: cannot open folder %1: %2"};
inline constexpr CoreText notAFolder{"--dir: %1 不是文件夹", "--dir: %1 is not a folder"};
inline constexpr CoreText exportRefused{"--export: %1;没有换名任何文件",
                                        "--export: %1; nothing renamed"};
inline constexpr CoreText earlierRunCutShort{
    "quorbel-cli: 之前有一次换名被中断;它留在记录中(--history),\n"
    "--undo 在撤销它之后的换名后会撤销它\n",
    "quorbel-cli: an earlier run was cut short; it stays in the history "
    "(--history), and --undo reaches it after the runs that came later\n"};
// The states and counts of a --history line.
inline constexpr CoreText runDamaged{"已损坏", "damaged"};
inline constexpr CoreText runUndone{"已撤销", "undone"};
inline constexpr CoreText runDone{"已完成", "done"};
inline constexpr CoreText runCutShort{"被中断", "cut short"};
inline constexpr CoreText moreFolders{" (另 %1 个文件夹)", " (+%1 more folders)",
                                      " (+1 more folder)"};
inline constexpr CoreText filesRenamed{"%1 个文件", "%1 files", "1 file"};
inline constexpr CoreText notRecorded{" (另 %1 个没有记录)", " (+%1 not recorded)"};
inline constexpr CoreText journalStopped{
    "quorbel-cli: 换名记录写入失败,换名在第 %1 行停止\n",
    "quorbel-cli: the journal could not be written; the run stopped at row %1\n"};
inline constexpr CoreText nothingToUndo{"quorbel-cli: 没有可以撤销的换名\n",
                                        "quorbel-cli: nothing to undo\n"};
inline constexpr CoreText journalNotMarked{
    "quorbel-cli: 换名记录 %1 无法标记为已撤销\n",
    "quorbel-cli: the journal %1 could not be marked undone\n"};
inline constexpr CoreText journalUnusable{"换名记录 %1 已损坏或无法读取(%2),没有撤销任何文件",
                                          "the journal %1 is damaged or unreadable (%2); nothing "
                                          "undone"};
inline constexpr CoreText keptAs{",记录已另存为 %1", ", kept as %1"};
inline constexpr CoreText cannotRead{"无法读取 %1: %2", "cannot read %1: %2"};
inline constexpr CoreText cannotOpen{"无法打开 %1: %2", "cannot open %1: %2"};
inline constexpr CoreText listChanged{"%1 在读取时被改动了,没有换名任何文件",
                                      "%1 changed while it was read; no file renamed"};
inline constexpr CoreText seeHelp{"运行 quorbel-cli --help 查看选项。\n",
                                  "Run quorbel-cli --help for the options.\n"};

} // namespace quorbel::clitext
