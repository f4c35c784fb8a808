// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mapping/workbookreader.h"

#include <memory>
#include <string>

namespace quorbel {

class OrcusCollector;

// ".xlsx", ".ods" and UTF-8 ".csv" through liborcus. The whole file is read
// when it is opened; choosing a sheet only arranges what was read.
class OrcusReader : public WorkbookReader {
public:
    enum class Format { Xlsx, Ods, Csv };

    // content: the file's bytes; csvSheetName names the one sheet of a CSV file.
    OrcusReader(const std::string& content, Format format, const std::string& csvSheetName);
    ~OrcusReader() override;

    std::vector<std::string> sheetNames() override;
    MappingTable readSheet(const std::string& sheetName) override;

private:
    std::unique_ptr<OrcusCollector> collector_;
};

} // namespace quorbel
