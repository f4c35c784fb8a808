// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/orcuscollector.h"

#include "global/localeformat.h"
#include "mapping/a1reference.h"
#include "mapping/dateformat.h"
#include "mapping/sheetbuilder.h"

#include <orcus/exception.hpp>

namespace quorbel {

namespace ss = orcus::spreadsheet;

// Shared strings, plain or rich text; formatting runs are dropped.
class OrcusCollector::SharedStrings : public ss::iface::import_shared_strings {
public:
    explicit SharedStrings(std::vector<std::string>& strings) : strings_(strings) {}
    size_t append(std::string_view s) override {
        strings_.emplace_back(s);
        return strings_.size() - 1;
    }
    size_t add(std::string_view s) override {
        const auto [found, inserted] = index_.emplace(std::string(s), strings_.size());
        if (inserted)
            strings_.emplace_back(s);
        return found->second;
    }
    void set_segment_font(size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                                ss::color_elem_t) override {}
    void append_segment(std::string_view s) override { segments_ += s; }
    size_t commit_segments() override {
        strings_.push_back(std::move(segments_));
        segments_.clear();
        return strings_.size() - 1;
    }

private:
    std::vector<std::string>& strings_;
    std::unordered_map<std::string, size_t> index_;
    std::string segments_;
};

// Only the day a workbook counts from matters here (1900 or 1904).
class OrcusCollector::GlobalSettings : public ss::iface::import_global_settings {
public:
    void set_origin_date(int year, int month, int day) override {
        if (year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= 31)
            originOffset = dateSerial(year, month, day);
    }
    void set_default_formula_grammar(ss::formula_grammar_t grammar) override { grammar_ = grammar; }
    ss::formula_grammar_t get_default_formula_grammar() const override { return grammar_; }
    void set_character_set(orcus::character_set_t) override {}

    double originOffset = 0;

private:
    ss::formula_grammar_t grammar_ = ss::formula_grammar_t::unknown;
};

// A1 references ("B7", "$B$7", "Sheet1!A1:C9"), as xlsx uses for a sheet's
// extent and merged cells; whole columns and rows included.
class OrcusCollector::ReferenceResolver : public ss::iface::import_reference_resolver {
public:
    ss::src_address_t resolve_address(std::string_view address) override {
        const auto parsed = parseA1Address(address);
        if (!parsed || parsed->row < 0 || parsed->column < 0)
            throw orcus::invalid_arg_error("not an A1 address");
        return *parsed;
    }

    ss::src_range_t resolve_range(std::string_view range) override {
        const auto parsed = parseA1Range(range);
        if (!parsed)
            throw orcus::invalid_arg_error("not an A1 range");
        return *parsed;
    }
};

// Of all a workbook's styles only the number format of each cell format
// matters here: it tells dates and booleans from numbers. Collecting just that
// keeps liborcus' document model (and its formula engine) out of the program.
class OrcusCollector::NumberFormats : public ss::iface::import_styles {
public:
    // Number format id of each cell format, by cell format index.
    std::vector<size_t> cellFormats;
    // Format code by number format id (xlsx numFmtId).
    std::unordered_map<size_t, std::string> codes;

    void set_font_count(size_t) override {}
    void set_font_bold(bool) override {}
    void set_font_italic(bool) override {}
    void set_font_name(std::string_view) override {}
    void set_font_size(double) override {}
    void set_font_underline(ss::underline_t) override {}
    void set_font_underline_width(ss::underline_width_t) override {}
    void set_font_underline_mode(ss::underline_mode_t) override {}
    void set_font_underline_type(ss::underline_type_t) override {}
    void set_font_underline_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                                  ss::color_elem_t) override {}
    void set_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                        ss::color_elem_t) override {}
    void set_strikethrough_style(ss::strikethrough_style_t) override {}
    void set_strikethrough_type(ss::strikethrough_type_t) override {}
    void set_strikethrough_width(ss::strikethrough_width_t) override {}
    void set_strikethrough_text(ss::strikethrough_text_t) override {}
    size_t commit_font() override { return fonts_++; }
    void set_fill_count(size_t) override {}
    void set_fill_pattern_type(ss::fill_pattern_t) override {}
    void set_fill_fg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                           ss::color_elem_t) override {}
    void set_fill_bg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                           ss::color_elem_t) override {}
    size_t commit_fill() override { return fills_++; }
    void set_border_count(size_t) override {}
    void set_border_style(ss::border_direction_t, ss::border_style_t) override {}
    void set_border_color(ss::border_direction_t, ss::color_elem_t, ss::color_elem_t,
                          ss::color_elem_t, ss::color_elem_t) override {}
    void set_border_width(ss::border_direction_t, double, orcus::length_unit_t) override {}
    size_t commit_border() override { return borders_++; }
    void set_cell_hidden(bool) override {}
    void set_cell_locked(bool) override {}
    void set_cell_print_content(bool) override {}
    void set_cell_formula_hidden(bool) override {}
    size_t commit_cell_protection() override { return protections_++; }
    void set_number_format_count(size_t) override {}
    void set_number_format_identifier(size_t id) override { formatId_ = id; }
    void set_number_format_code(std::string_view code) override { formatCode_ = code; }
    size_t commit_number_format() override {
        codes[formatId_] = formatCode_;
        formatId_ = 0;
        formatCode_.clear();
        return codes.size() - 1;
    }
    void set_cell_xf_count(size_t) override {}
    void set_cell_style_xf_count(size_t) override {}
    void set_dxf_count(size_t) override {}
    void set_xf_font(size_t) override {}
    void set_xf_fill(size_t) override {}
    void set_xf_border(size_t) override {}
    void set_xf_protection(size_t) override {}
    void set_xf_number_format(size_t index) override { xfFormat_ = index; }
    void set_xf_style_xf(size_t) override {}
    void set_xf_apply_alignment(bool) override {}
    void set_xf_horizontal_alignment(ss::hor_alignment_t) override {}
    void set_xf_vertical_alignment(ss::ver_alignment_t) override {}
    size_t commit_cell_xf() override {
        cellFormats.push_back(xfFormat_);
        xfFormat_ = 0;
        return cellFormats.size() - 1;
    }
    size_t commit_cell_style_xf() override {
        xfFormat_ = 0;
        return styleFormats_++;
    }
    size_t commit_dxf() override {
        xfFormat_ = 0;
        return differentialFormats_++;
    }
    void set_cell_style_count(size_t) override {}
    void set_cell_style_name(std::string_view) override {}
    void set_cell_style_xf(size_t) override {}
    void set_cell_style_builtin(size_t) override {}
    void set_cell_style_parent_name(std::string_view) override {}
    size_t commit_cell_style() override { return cellStyles_++; }

private:
    size_t formatId_ = 0;
    std::string formatCode_;
    size_t xfFormat_ = 0;
    size_t fonts_ = 0, fills_ = 0, borders_ = 0, protections_ = 0;
    size_t styleFormats_ = 0, differentialFormats_ = 0, cellStyles_ = 0;
};

OrcusCollector::OrcusCollector(bool textOnly, bool formatsTellDates)
    : textOnly_(textOnly), formatsTellDates_(formatsTellDates),
      sharedStrings_(std::make_unique<SharedStrings>(strings_)),
      settings_(std::make_unique<GlobalSettings>()),
      resolver_(std::make_unique<ReferenceResolver>()),
      numberFormats_(std::make_unique<NumberFormats>()) {}

OrcusCollector::~OrcusCollector() = default;

ss::iface::import_global_settings* OrcusCollector::get_global_settings() {
    return settings_.get();
}

ss::iface::import_shared_strings* OrcusCollector::get_shared_strings() {
    return sharedStrings_.get();
}

ss::iface::import_styles* OrcusCollector::get_styles() {
    return numberFormats_.get();
}

// Only cell references in A1 form are resolved. Named expressions are
// dropped, and liborcus skips them when it gets no resolver for their base
// cells (the ".ods" form "$Sheet1.$A$1" would not resolve anyway).
ss::iface::import_reference_resolver*
OrcusCollector::get_reference_resolver(ss::formula_ref_context_t context) {
    return context == ss::formula_ref_context_t::global ? resolver_.get() : nullptr;
}

ss::iface::import_sheet* OrcusCollector::append_sheet(ss::sheet_t, std::string_view name) {
    sheets_.push_back(std::make_unique<OrcusSheet>(std::string(name), strings_, textOnly_));
    return sheets_.back().get();
}

ss::iface::import_sheet* OrcusCollector::get_sheet(std::string_view name) {
    for (const auto& sheet : sheets_) {
        if (sheet->name() == name)
            return sheet.get();
    }
    return nullptr;
}

ss::iface::import_sheet* OrcusCollector::get_sheet(ss::sheet_t index) {
    if (index < 0 || static_cast<size_t>(index) >= sheets_.size())
        return nullptr;
    return sheets_[static_cast<size_t>(index)].get();
}

OrcusSheet& OrcusCollector::sheetNamed(const std::string& name) {
    if (auto* sheet = get_sheet(std::string_view(name)))
        return static_cast<OrcusSheet&>(*sheet);
    sheets_.push_back(std::make_unique<OrcusSheet>(name, strings_, textOnly_));
    return *sheets_.back();
}

std::vector<OrcusSheet*> OrcusCollector::sheets() const {
    std::vector<OrcusSheet*> result;
    for (const auto& sheet : sheets_)
        result.push_back(sheet.get());
    return result;
}

// A cell format names its number format by the file's own format id (xlsx
// numFmtId), not by its place in the style store; ids without a stored code
// are the built-in formats.
OrcusCollector::FormatKind OrcusCollector::formatKind(size_t format) const {
    const auto known = formatKinds_.find(format);
    if (known != formatKinds_.end())
        return known->second;
    const auto& cells = numberFormats_->cellFormats;
    const FormatKind kind =
        format < cells.size() ? numberFormatKind(cells[format]) : FormatKind::Number;
    formatKinds_.emplace(format, kind);
    return kind;
}

OrcusCollector::FormatKind OrcusCollector::numberFormatKind(size_t id) const {
    const auto code = numberFormats_->codes.find(id);
    if (code != numberFormats_->codes.end() && !code->second.empty()) {
        if (isBooleanFormatCode(code->second))
            return FormatKind::Boolean;
        return isDateFormatCode(code->second) ? FormatKind::Date : FormatKind::Number;
    }
    return isBuiltinDateFormat(id) ? FormatKind::Date : FormatKind::Number;
}

// A 1904 workbook's day 0 is 1904-01-01; serials here count from 1899-12-30.
MappingTable OrcusCollector::table(const OrcusSheet& sheet) const {
    const double epochShift = settings_->originOffset;
    SheetBuilder builder;
    for (const OrcusCell& placed : sheet.cells()) {
        SheetCell cell = placed.cell;
        if (formatsTellDates_ && cell.type == SheetCell::Type::Number) {
            const auto format = sheet.formatAt(placed.row, placed.column);
            const FormatKind kind = format ? formatKind(*format) : FormatKind::Number;
            if (kind == FormatKind::Date) {
                cell.type = SheetCell::Type::Date;
                cell.number += epochShift;
            } else if (kind == FormatKind::Boolean) {
                cell.type = SheetCell::Type::Boolean;
                cell.number = cell.number != 0 ? 1 : 0;
            }
        }
        builder.add(placed.row, placed.column, std::move(cell));
    }
    return builder.build();
}

} // namespace quorbel
