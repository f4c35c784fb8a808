// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/coretext.h"

// The reader errors users see; the error display shows them as they stand.
namespace quorbel::workbookmessages {

inline constexpr CoreText CannotOpen{"无法打开该文件", "Cannot open the file"};
inline constexpr CoreText NotAWorkbook{"该文件不是可读取的工作簿",
                                       "The file is not a workbook that can be read"};
inline constexpr CoreText Damaged{"工作簿已损坏或不完整,无法读取",
                                  "The workbook is damaged or incomplete and cannot be read"};
inline constexpr CoreText Encrypted{"工作簿有密码保护,无法读取",
                                    "The workbook is protected by a password and cannot be read"};
inline constexpr CoreText TooLarge{"工作簿过大,无法读取", "The workbook is too large to read"};
inline constexpr CoreText NoSheets{"工作簿中没有工作表", "The workbook has no sheets"};
inline constexpr CoreText UnknownCharset{"工作簿使用了无法读取的字符集",
                                         "The workbook uses a character set that cannot be read"};
// Workbooks of Excel versions before Excel 5.0, which no reader here reads.
inline constexpr CoreText OldExcel2{
    "该文件是 Excel 2.x 工作簿,格式太旧,无法读取,请用 Excel 或 LibreOffice 另存为 .xls 或 .xlsx "
    "后再试",
    "The file is an Excel 2.x workbook, too old a format to read; save it as .xls or .xlsx with "
    "Excel or LibreOffice and try again"};
inline constexpr CoreText OldExcel3{
    "该文件是 Excel 3.0 工作簿,格式太旧,无法读取,请用 Excel 或 LibreOffice 另存为 .xls 或 .xlsx "
    "后再试",
    "The file is an Excel 3.0 workbook, too old a format to read; save it as .xls or .xlsx with "
    "Excel or LibreOffice and try again"};
inline constexpr CoreText OldExcel4{
    "该文件是 Excel 4.0 工作簿,格式太旧,无法读取,请用 Excel 或 LibreOffice 另存为 .xls 或 .xlsx "
    "后再试",
    "The file is an Excel 4.0 workbook, too old a format to read; save it as .xls or .xlsx with "
    "Excel or LibreOffice and try again"};
// Followed by the sheet name in quotes.
inline constexpr CoreText NoSuchSheet{"工作簿中没有这个工作表:", "The workbook has no sheet "};

} // namespace quorbel::workbookmessages
