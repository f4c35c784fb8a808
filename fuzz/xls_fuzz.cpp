// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzworkbook.h"
#include "mapping/xlsreader.h"

// FreeXL adapter: the input goes to XlsReader directly, signature or not, so no
// input is spent on the content sniffing.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    try {
        quorbel::XlsReader reader(std::string(reinterpret_cast<const char*>(data), size));
        quorbel::exercise(reader);
    } catch (const quorbel::WorkbookError&) {
    }
    return 0;
}
