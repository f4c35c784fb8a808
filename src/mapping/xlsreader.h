// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mapping/workbookreader.h"
#include "mapping/xlsguard.h"

#include <string>

namespace quorbel {

// Excel 97-2003 (BIFF5 and BIFF8) workbooks through FreeXL, or through the
// record pass alone where FreeXL cannot read a valid file.
class XlsReader : public WorkbookReader {
public:
    // content: the file's bytes. FreeXL reads a checked copy of them, never
    // the file again, so a file changed in between cannot slip past the check.
    explicit XlsReader(const std::string& content);
    ~XlsReader() override;
    XlsReader(const XlsReader&) = delete;
    XlsReader& operator=(const XlsReader&) = delete;

    std::vector<std::string> sheetNames() override;
    MappingTable readSheet(const std::string& sheetName) override;

private:
    bool readFreexlNames();
    size_t sheetIndex(const std::string& sheetName) const;

    const void* handle_ = nullptr; // none: the record pass read every cell
    std::vector<std::string> names_;
    std::vector<std::uint32_t> sheetIndexes_; // XlsCell::sheet of each name
    std::vector<XlsCell> cells_;              // what the check read that FreeXL does not
};

} // namespace quorbel
