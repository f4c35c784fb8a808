#pragma once

#include "mapping/workbookreader.h"
#include "mapping/xlsguard.h"

#include <string>

namespace quorbel {

// Excel 97-2003 (BIFF5 and BIFF8) workbooks through FreeXL.
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
    unsigned short sheetIndex(const std::string& sheetName);

    const void* handle_ = nullptr;
    std::vector<std::string> names_;
    std::vector<XlsCell> cells_; // what the check read that FreeXL does not
};

} // namespace quorbel
