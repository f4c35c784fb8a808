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
