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
// Followed by the sheet name in quotes.
inline constexpr CoreText NoSuchSheet{"工作簿中没有这个工作表:", "The workbook has no sheet "};

} // namespace quorbel::workbookmessages
