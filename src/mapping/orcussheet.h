// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mapping/workbookreader.h"

#include <orcus/spreadsheet/import_interface.hpp>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorbel {

// A cell as a liborcus filter hands it over, before number formats tell dates
// from numbers.
struct OrcusCell {
    std::uint32_t row = 0;
    std::uint32_t column = 0;
    SheetCell cell;
};

// One sheet's values as a liborcus import filter delivers them. Formula cells
// keep their cached result; nothing is recalculated.
class OrcusSheet : public orcus::spreadsheet::iface::import_sheet {
public:
    using row_t = orcus::spreadsheet::row_t;
    using col_t = orcus::spreadsheet::col_t;

    OrcusSheet(std::string name, const std::vector<std::string>& strings, bool textOnly);
    ~OrcusSheet() override;

    orcus::spreadsheet::iface::import_formula* get_formula() override;
    orcus::spreadsheet::iface::import_array_formula* get_array_formula() override;
    void set_auto(row_t row, col_t col, std::string_view s) override;
    void set_string(row_t row, col_t col, orcus::spreadsheet::string_id_t sindex) override;
    void set_value(row_t row, col_t col, double value) override;
    void set_bool(row_t row, col_t col, bool value) override;
    void set_date_time(row_t row, col_t col, int year, int month, int day, int hour, int minute,
                       double second) override;
    void set_format(row_t row, col_t col, size_t xf_index) override;
    // Range formats and repeated rows are not expanded: they would cost memory
    // by the extent a file claims rather than by its cells.
    void set_format(row_t, col_t, row_t, col_t, size_t) override {}
    void fill_down_cells(row_t, col_t, row_t) override {}
    orcus::spreadsheet::range_size_t get_sheet_size() const override;

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    void put(row_t row, col_t col, SheetCell cell);
    // Drops what the import filter delivered, for cells read another way.
    void clearCells();
    const std::vector<OrcusCell>& cells() const { return cells_; }
    std::optional<size_t> formatAt(std::uint32_t row, std::uint32_t column) const;

private:
    class Formula;
    class ArrayFormula;

    std::string name_;
    const std::vector<std::string>& strings_;
    bool textOnly_;
    std::vector<OrcusCell> cells_;
    std::unordered_map<std::uint64_t, size_t> formats_;
    std::unique_ptr<Formula> formula_;
    std::unique_ptr<ArrayFormula> arrayFormula_;
};

} // namespace quorbel
