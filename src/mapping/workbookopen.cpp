// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/csvtext.h"
#include "mapping/orcusreader.h"
#include "mapping/workbookmessages.h"
#include "mapping/workbookreader.h"
#include "mapping/xlsreader.h"
#include "mapping/zipguard.h"

#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quorbel {
namespace {

// Far beyond any mapping sheet; keeps a stray huge file from filling memory.
constexpr std::uintmax_t maxFileSize = 512u * 1024 * 1024;

std::string readFile(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        throw WorkbookError(workbookmessages::CannotOpen);
    if (size > maxFileSize)
        throw WorkbookError(workbookmessages::TooLarge);
    std::ifstream in(path, std::ios::binary);
    std::string content(static_cast<size_t>(size), '\0');
    if (!in || !in.read(content.data(), static_cast<std::streamsize>(size)))
        throw WorkbookError(workbookmessages::CannotOpen);
    return content;
}

bool startsWith(const std::string& content, std::string_view prefix) {
    return content.compare(0, prefix.size(), prefix) == 0;
}

template <typename Filter> bool detects(const std::string& content) {
    try {
        return Filter::detect(reinterpret_cast<const unsigned char*>(content.data()),
                              content.size());
    } catch (const std::exception&) {
        return false;
    }
}

// Content tells a table from other text only by its separators; a file saved as
// ".csv" is a table even with one column.
bool namedCsv(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".csv";
}

// Excel 2.x to 4.0 saved a bare BIFF stream, without a compound file around
// it; its first record is a BOF record of that version.
const char* oldExcelFormat(const std::string& content) {
    if (content.size() < 8)
        return nullptr;
    const auto byte = [&](size_t at) { return static_cast<unsigned char>(content[at]); };
    const unsigned type = byte(0) | byte(1) << 8;
    const unsigned size = byte(2) | byte(3) << 8;
    if (type == 0x0009 && size == 4)
        return workbookmessages::OldExcel2;
    if (type == 0x0209 && size == 6)
        return workbookmessages::OldExcel3;
    if (type == 0x0409 && size == 6)
        return workbookmessages::OldExcel4;
    return nullptr;
}

std::unique_ptr<WorkbookReader> openZip(const std::string& content) {
    checkZipSize(content);
    if (detects<orcus::orcus_ods>(content))
        return std::make_unique<OrcusReader>(content, OrcusReader::Format::Ods, "");
    if (detects<orcus::orcus_xlsx>(content))
        return std::make_unique<OrcusReader>(content, OrcusReader::Format::Xlsx, "");
    throw WorkbookError(workbookmessages::NotAWorkbook);
}

} // namespace

std::unique_ptr<WorkbookReader> openWorkbook(const std::string& path) {
    const std::string content = readFile(path);
    if (startsWith(content, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return std::make_unique<XlsReader>(content);
    if (startsWith(content, "PK\x03\x04"))
        return openZip(content);
    if (const char* old = oldExcelFormat(content))
        throw WorkbookError(old);
    if (const auto csv = csvAsCommaSeparated(content, namedCsv(path)))
        return std::make_unique<OrcusReader>(*csv, OrcusReader::Format::Csv,
                                             std::filesystem::path(path).stem().string());
    throw WorkbookError(workbookmessages::NotAWorkbook);
}

} // namespace quorbel
