// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzworkbook.h"

// liborcus adapter through openWorkbook: ZIP inputs reach the xlsx or ods
// filter, text inputs the CSV filter.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string path = quorbel::writeInput(data, size, ".xlsx");
    try {
        const auto reader = quorbel::openWorkbook(path);
        quorbel::exercise(*reader);
    } catch (const quorbel::WorkbookError&) {
    }
    return 0;
}
