#pragma once

// The reader errors users see; the error display shows them as they stand.
namespace quorbel::workbookmessages {

inline constexpr const char* CannotOpen = "无法打开该文件";
inline constexpr const char* NotAWorkbook = "该文件不是可读取的工作簿";
inline constexpr const char* Damaged = "工作簿已损坏或不完整,无法读取";
inline constexpr const char* Encrypted = "工作簿有密码保护,无法读取";
inline constexpr const char* TooLarge = "工作簿过大,无法读取";
inline constexpr const char* NoSheets = "工作簿中没有工作表";
inline constexpr const char* UnknownCharset = "工作簿使用了无法读取的字符集";
// Workbooks of Excel versions before Excel 5.0, which no reader here reads.
inline constexpr const char* OldExcel2 = "该文件是 Excel 2.x 工作簿,格式太旧,无法读取,请用 Excel "
                                         "或 LibreOffice 另存为 .xls 或 .xlsx 后再试";
inline constexpr const char* OldExcel3 = "该文件是 Excel 3.0 工作簿,格式太旧,无法读取,请用 Excel "
                                         "或 LibreOffice 另存为 .xls 或 .xlsx 后再试";
inline constexpr const char* OldExcel4 = "该文件是 Excel 4.0 工作簿,格式太旧,无法读取,请用 Excel "
                                         "或 LibreOffice 另存为 .xls 或 .xlsx 后再试";
// Followed by the sheet name in quotes.
inline constexpr const char* NoSuchSheet = "工作簿中没有这个工作表:";

} // namespace quorbel::workbookmessages
