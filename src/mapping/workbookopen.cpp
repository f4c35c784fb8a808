#include "mapping/workbookreader.h"

namespace quorbel {

std::unique_ptr<WorkbookReader> openWorkbook(const std::string& path) {
    throw WorkbookError("\"" + path + "\" is not a workbook");
}

} // namespace quorbel
