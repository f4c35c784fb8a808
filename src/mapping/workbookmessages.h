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
// Followed by the sheet name in quotes.
inline constexpr const char* NoSuchSheet = "工作簿中没有这个工作表:";

} // namespace quorbel::workbookmessages
