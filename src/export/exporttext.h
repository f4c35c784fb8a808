// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// The text a list cell becomes in a workbook: carriage returns dropped (the
// list keeps line breaks as LF; a CR would show as a box in the sheet), every
// other byte kept. A workbook stores Unicode, so each byte that is not part of
// valid UTF-8 becomes U+FFFD.
struct ExportText {
    std::string text;
    bool replaced = false; // some byte became U+FFFD
};

// True when the cell needs exportText, false when it goes out as it stands.
bool needsCleaning(std::string_view cell);
ExportText exportText(std::string_view cell);

// Length in UTF-16 code units, as spreadsheets count a cell's characters.
// The text must be valid UTF-8.
size_t utf16Length(std::string_view utf8);

// Appends valid UTF-8 as UTF-16 code units; characters outside the basic
// plane become surrogate pairs.
void appendUtf16(std::string_view utf8, std::u16string& out);

} // namespace quorbel
