#pragma once

#include "mapping/workbookreader.h"

#include <string>

namespace quorbel {

// Excel 97-2003 (BIFF5 and BIFF8) workbooks through FreeXL.
class XlsReader : public WorkbookReader {
public:
    // content: the file's bytes, checked before FreeXL reads the file.
    XlsReader(const std::string& path, const std::string& content);
    ~XlsReader() override;
    XlsReader(const XlsReader&) = delete;
    XlsReader& operator=(const XlsReader&) = delete;

    std::vector<std::string> sheetNames() override;
    MappingTable readSheet(const std::string& sheetName) override;

private:
    unsigned short sheetIndex(const std::string& sheetName);

    const void* handle_ = nullptr;
    std::vector<std::string> names_;
};

} // namespace quorbel
