// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

namespace quorbel {

class RenameList;

enum class ExportFormat {
    Xls, // Excel 97-2003 workbook, our own writer
    Xlsx // Office Open XML workbook, through libxlsxwriter
};

// A refused or failed export; the message is for the user as it stands.
class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ExportResult {
    // Cells in which bytes that are not valid UTF-8 were written as U+FFFD.
    size_t replacedCells = 0;
};

// The format a file name asks for by its extension (".xls" or ".xlsx", any
// letter case), or nothing for any other name.
std::optional<ExportFormat> exportFormatOf(const std::string& path);

// Writes the whole list, header row and row indicator column included, to a
// workbook at path (a byte string, as the file system takes it). Limits are
// checked before anything is written; the workbook goes to a temporary file in
// the same directory and replaces an existing file only once it is complete,
// so a failure leaves the old file as it was and no partial file behind.
// Throws ExportError with a message naming the path and the system's reason.
ExportResult exportList(const RenameList& list, const std::string& path, ExportFormat format);

// Everything an export to path can be refused for before a byte is written:
// a target that is a directory, or any old or new path of the list (the export
// would take the place of a file the list names); a folder that is missing or
// may not be written; the format's limits. Throws ExportError.
void checkExportTarget(const RenameList& list, const std::string& path, ExportFormat format);

} // namespace quorbel
