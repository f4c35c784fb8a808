// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mapping/orcussheet.h"

#include <orcus/spreadsheet/import_interface.hpp>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorbel {

// Receives what a liborcus import filter reads, keeping only cell values,
// shared strings and number formats: no formula engine and no document model,
// so memory follows the cells the file holds.
//
// liborcus 0.17 asks for an interface and then uses it; where it gets none
// it usually skips that part of the file, but not everywhere. What it does
// with a null return, for every interface (from its sources and tried on
// the fixtures of Excel, LibreOffice and libxlsxwriter under tests/fixtures):
//
// Factory:
//   get_global_settings      given. All three filters check for null.
//   get_shared_strings       given; xlsx and ods put their strings here.
//   get_styles               given (number formats tell dates). xlsx skips
//                            styles.xml on null.
//   get_reference_resolver   given for A1 references (global context): xlsx
//                            throws on null while reading a sheet. Null for
//                            the base cells and ranges of named expressions:
//                            ods then skips them (they come in the ".ods"
//                            form "$Sheet1.$A$1", which would not resolve).
//   get_named_expression     null: xlsx and ods skip defined names.
//   create_pivot_cache_definition, create_pivot_cache_records
//                            null: xlsx skips the pivot cache parts.
//   append_sheet             always a sheet.
//   get_sheet (name, index)  null for a sheet never appended: xlsx throws
//                            (a damaged file), and skips formulas on it.
// Sheet (OrcusSheet):
//   get_formula              given: the cached results.
//   get_array_formula        given: xlsx dereferences it unchecked for every
//                            array formula and dynamic array (a null return
//                            crashed on Excel's Ctrl+Shift+Enter formulas).
//                            Its result slots follow the claimed range, so
//                            checkXlsxArrayFormulas refuses absurd ones first.
//   get_sheet_properties     null: column widths, row heights, merged cells
//                            skipped; on a sink xlsx would loop over every
//                            column a damaged <col> claims.
//   get_sheet_view           null: panes and selections skipped.
//   get_auto_filter          null: read, then dropped.
//   get_table                null: xlsx skips the table parts.
//   get_conditional_format   null: xlsx and ods parse the rules and drop them.
//   get_data_table           null: what-if tables skipped, their cached values
//                            kept as values.
//   get_named_expression     null: sheet-local names skipped.
class OrcusCollector : public orcus::spreadsheet::iface::import_factory {
public:
    // textOnly: every cell stays text (CSV carries no types). formatsTellDates:
    // numbers with a date format are dates (xlsx); ODS marks its dates itself.
    OrcusCollector(bool textOnly, bool formatsTellDates);
    ~OrcusCollector() override;

    orcus::spreadsheet::iface::import_global_settings* get_global_settings() override;
    orcus::spreadsheet::iface::import_shared_strings* get_shared_strings() override;
    orcus::spreadsheet::iface::import_styles* get_styles() override;
    orcus::spreadsheet::iface::import_reference_resolver*
    get_reference_resolver(orcus::spreadsheet::formula_ref_context_t context) override;
    orcus::spreadsheet::iface::import_sheet* append_sheet(orcus::spreadsheet::sheet_t index,
                                                          std::string_view name) override;
    orcus::spreadsheet::iface::import_sheet* get_sheet(std::string_view name) override;
    orcus::spreadsheet::iface::import_sheet* get_sheet(orcus::spreadsheet::sheet_t index) override;
    void finalize() override {}

    std::vector<OrcusSheet*> sheets() const;
    const std::vector<std::string>& sharedStrings() const { return strings_; }
    // The sheet of that name, appended when the filter did not deliver it.
    OrcusSheet& sheetNamed(const std::string& name);
    // The sheet's cells with dates told from numbers by their number formats.
    MappingTable table(const OrcusSheet& sheet) const;

private:
    class SharedStrings;
    class GlobalSettings;
    class ReferenceResolver;
    class NumberFormats;

    // What a number in that cell format shows: dates and booleans are
    // numbers told apart only by their formats.
    enum class FormatKind { Number, Date, Boolean };
    FormatKind formatKind(size_t format) const;
    FormatKind numberFormatKind(size_t id) const;

    bool textOnly_;
    bool formatsTellDates_;
    std::vector<std::string> strings_;
    std::unique_ptr<SharedStrings> sharedStrings_;
    std::unique_ptr<GlobalSettings> settings_;
    std::unique_ptr<ReferenceResolver> resolver_;
    std::unique_ptr<NumberFormats> numberFormats_;
    std::vector<std::unique_ptr<OrcusSheet>> sheets_;
    mutable std::unordered_map<size_t, FormatKind> formatKinds_;
};

} // namespace quorbel
