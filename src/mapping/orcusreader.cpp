// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/orcusreader.h"

#include "mapping/orcuscollector.h"
#include "mapping/workbookmessages.h"
#include "mapping/xmlpackage.h"

#include <orcus/orcus_csv.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>

#include <new>

namespace quorbel {
namespace {

std::unique_ptr<orcus::iface::import_filter> makeFilter(OrcusReader::Format format,
                                                        OrcusCollector& collector) {
    switch (format) {
    case OrcusReader::Format::Xlsx:
        return std::make_unique<orcus::orcus_xlsx>(&collector);
    case OrcusReader::Format::Ods:
        return std::make_unique<orcus::orcus_ods>(&collector);
    case OrcusReader::Format::Csv:
        break;
    }
    return std::make_unique<orcus::orcus_csv>(&collector);
}

// liborcus drops inline strings, cells of sheets named by absolute part paths,
// errors and some formula results of .xlsx, and of .ods formula results and
// booleans, and misplaces cells after merged ones; so its sheets' cells are
// read anew. liborcus still gives the sheets, shared strings and formats.
void readPackageCells(const std::string& content, OrcusReader::Format format,
                      OrcusCollector& collector) {
    if (format == OrcusReader::Format::Xlsx) {
        const XlsxSheets xlsx = readXlsxSheets(content, collector.sharedStrings());
        if (xlsx.dates1904)
            collector.get_global_settings()->set_origin_date(1904, 1, 1);
        for (const PackageSheet& read : xlsx.sheets) {
            OrcusSheet& sheet = collector.sheetNamed(read.name);
            sheet.clearCells();
            for (const PackageCell& cell : read.cells) {
                sheet.put(cell.place.row, cell.place.column, cell.place.cell);
                if (cell.style)
                    sheet.set_format(cell.place.row, cell.place.column, *cell.style);
            }
        }
    } else if (format == OrcusReader::Format::Ods) {
        const std::vector<PackageSheet> ods = readOdsCells(content);
        for (OrcusSheet* sheet : collector.sheets())
            sheet->clearCells();
        for (const PackageSheet& read : ods) {
            OrcusSheet& sheet = collector.sheetNamed(read.name);
            for (const PackageCell& cell : read.cells)
                sheet.put(cell.place.row, cell.place.column, cell.place.cell);
        }
    }
}

} // namespace

OrcusReader::OrcusReader(const std::string& content, Format format, const std::string& csvSheetName)
    : collector_(std::make_unique<OrcusCollector>(format == Format::Csv, format == Format::Xlsx)) {
    try {
        if (format == Format::Xlsx)
            checkXlsxArrayFormulas(content);
        makeFilter(format, *collector_)->read_stream(content);
        readPackageCells(content, format, *collector_);
    } catch (const WorkbookError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw WorkbookError(workbookmessages::TooLarge);
    } catch (const std::exception&) {
        throw WorkbookError(workbookmessages::Damaged);
    }
    const auto sheets = collector_->sheets();
    if (format == Format::Csv && sheets.size() == 1)
        sheets.front()->setName(csvSheetName);
}

OrcusReader::~OrcusReader() = default;

std::vector<std::string> OrcusReader::sheetNames() {
    std::vector<std::string> names;
    for (const OrcusSheet* sheet : collector_->sheets())
        names.push_back(sheet->name());
    if (names.empty())
        throw WorkbookError(workbookmessages::NoSheets);
    return names;
}

MappingTable OrcusReader::readSheet(const std::string& sheetName) {
    for (const OrcusSheet* sheet : collector_->sheets()) {
        if (sheet->name() == sheetName)
            return collector_->table(*sheet);
    }
    throw WorkbookError(std::string(workbookmessages::NoSuchSheet) + "“" + sheetName + "”");
}

} // namespace quorbel
