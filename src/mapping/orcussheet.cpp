// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/orcussheet.h"

#include "global/localeformat.h"
#include "mapping/sheetbuilder.h"

namespace quorbel {
namespace {

namespace ss = orcus::spreadsheet;

bool inSheet(ss::row_t row, ss::col_t col) {
    return row >= 0 && col >= 0 && static_cast<std::uint32_t>(row) < SheetBuilder::MaxRows &&
           static_cast<std::uint32_t>(col) < SheetBuilder::MaxColumns;
}

std::uint64_t placeKey(std::uint32_t row, std::uint32_t column) {
    return (static_cast<std::uint64_t>(row) << 32) | column;
}

} // namespace

// Collects one formula cell's cached result and stores it as a plain value.
class OrcusSheet::Formula : public ss::iface::import_formula {
public:
    explicit Formula(OrcusSheet& sheet) : sheet_(sheet) {}
    void set_position(ss::row_t row, ss::col_t col) override {
        row_ = row;
        col_ = col;
        result_ = {};
    }
    void set_formula(ss::formula_grammar_t, std::string_view) override {}
    void set_shared_formula_index(size_t) override {}
    void set_result_string(std::string_view value) override {
        result_ = {SheetCell::Type::Text, std::string(value), 0};
    }
    void set_result_value(double value) override { result_ = {SheetCell::Type::Number, {}, value}; }
    void set_result_bool(bool value) override {
        result_ = {SheetCell::Type::Boolean, {}, value ? 1.0 : 0.0};
    }
    void set_result_empty() override { result_ = {}; }
    void commit() override { sheet_.put(row_, col_, std::move(result_)); }

private:
    OrcusSheet& sheet_;
    ss::row_t row_ = -1;
    ss::col_t col_ = -1;
    SheetCell result_;
};

// An array formula (Ctrl+Shift+Enter, or a dynamic array of Excel 365) with
// the cached result of each cell of its range; the results are plain values.
class OrcusSheet::ArrayFormula : public ss::iface::import_array_formula {
public:
    explicit ArrayFormula(OrcusSheet& sheet) : sheet_(sheet) {}
    void set_range(const ss::range_t& range) override { range_ = range; }
    void set_formula(ss::formula_grammar_t, std::string_view) override {}
    void set_result_string(ss::row_t row, ss::col_t col, std::string_view value) override {
        put(row, col, {SheetCell::Type::Text, std::string(value), 0});
    }
    void set_result_value(ss::row_t row, ss::col_t col, double value) override {
        put(row, col, {SheetCell::Type::Number, {}, value});
    }
    void set_result_bool(ss::row_t row, ss::col_t col, bool value) override {
        put(row, col, {SheetCell::Type::Boolean, {}, value ? 1.0 : 0.0});
    }
    void set_result_empty(ss::row_t, ss::col_t) override {}
    void commit() override { range_ = {}; }

private:
    // Offsets within the range; a damaged file may give an inverted range or
    // offsets outside it.
    void put(ss::row_t row, ss::col_t col, SheetCell cell) {
        const ss::range_t& r = range_;
        if (row < 0 || col < 0 || r.first.row < 0 || r.first.column < 0 ||
            r.last.row < r.first.row || r.last.column < r.first.column ||
            row > r.last.row - r.first.row || col > r.last.column - r.first.column)
            return;
        sheet_.put(r.first.row + row, r.first.column + col, std::move(cell));
    }

    OrcusSheet& sheet_;
    ss::range_t range_{};
};

OrcusSheet::OrcusSheet(std::string name, const std::vector<std::string>& strings, bool textOnly)
    : name_(std::move(name)), strings_(strings), textOnly_(textOnly),
      formula_(std::make_unique<Formula>(*this)),
      arrayFormula_(std::make_unique<ArrayFormula>(*this)) {}

OrcusSheet::~OrcusSheet() = default;

ss::iface::import_formula* OrcusSheet::get_formula() {
    return formula_.get();
}

ss::iface::import_array_formula* OrcusSheet::get_array_formula() {
    return arrayFormula_.get();
}

void OrcusSheet::put(row_t row, col_t col, SheetCell cell) {
    if (inSheet(row, col))
        cells_.push_back(
            {static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(col), std::move(cell)});
}

void OrcusSheet::clearCells() {
    cells_.clear();
    formats_.clear();
}

void OrcusSheet::set_auto(row_t row, col_t col, std::string_view s) {
    if (!textOnly_) {
        if (const auto number = parseDecimal(s, LocaleFormat{})) {
            put(row, col, {SheetCell::Type::Number, {}, *number});
            return;
        }
    }
    put(row, col, {SheetCell::Type::Text, std::string(s), 0});
}

void OrcusSheet::set_string(row_t row, col_t col, ss::string_id_t sindex) {
    if (sindex < strings_.size())
        put(row, col, {SheetCell::Type::Text, strings_[sindex], 0});
}

void OrcusSheet::set_value(row_t row, col_t col, double value) {
    put(row, col, {SheetCell::Type::Number, {}, value});
}

void OrcusSheet::set_bool(row_t row, col_t col, bool value) {
    put(row, col, {SheetCell::Type::Boolean, {}, value ? 1.0 : 0.0});
}

void OrcusSheet::set_date_time(row_t row, col_t col, int year, int month, int day, int hour,
                               int minute, double second) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return;
    const double time = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    put(row, col, {SheetCell::Type::Date, {}, dateSerial(year, month, day) + time});
}

void OrcusSheet::set_format(row_t row, col_t col, size_t xf_index) {
    if (inSheet(row, col))
        formats_[placeKey(static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(col))] =
            xf_index;
}

ss::range_size_t OrcusSheet::get_sheet_size() const {
    return {static_cast<ss::row_t>(SheetBuilder::MaxRows),
            static_cast<ss::col_t>(SheetBuilder::MaxColumns)};
}

std::optional<size_t> OrcusSheet::formatAt(std::uint32_t row, std::uint32_t column) const {
    const auto found = formats_.find(placeKey(row, column));
    return found == formats_.end() ? std::nullopt : std::optional<size_t>(found->second);
}

} // namespace quorbel
