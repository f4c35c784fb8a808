// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/xmlpackage.h"

#include "global/localeformat.h"
#include "mapping/a1reference.h"
#include "mapping/ooxmlescape.h"
#include "mapping/sheetbuilder.h"
#include "mapping/workbookmessages.h"

#include <orcus/sax_parser.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>

namespace quorbel {
namespace {

class Package {
public:
    explicit Package(const std::string& content)
        : stream_(reinterpret_cast<const std::uint8_t*>(content.data()), content.size()),
          archive_(&stream_) {
        archive_.load();
    }

    std::string member(std::string_view name) const {
        std::vector<unsigned char> bytes;
        if (name.empty() || !archive_.read_file_entry(name, bytes))
            return {};
        return std::string(bytes.begin(), bytes.end());
    }

private:
    orcus::zip_archive_stream_blob stream_;
    orcus::zip_archive archive_;
};

using Attributes = std::map<std::string, std::string>;

// Elements by local name with their attributes ("prefix:name" where the XML
// has a prefix), and the text between them; the parser has already decoded
// character references.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void start(std::string_view name, const Attributes& attributes) = 0;
    virtual void end(std::string_view name) = 0;
    virtual void text(std::string_view) {}

    void doctype(const orcus::sax::doctype_declaration&) {}
    void start_declaration(std::string_view) {}
    void end_declaration(std::string_view) {}
    void start_element(const orcus::sax::parser_element& element) {
        start(element.name, attributes_);
        attributes_.clear();
    }
    void end_element(const orcus::sax::parser_element& element) { end(element.name); }
    void characters(std::string_view value, bool) { text(value); }
    void attribute(const orcus::sax::parser_attribute& attribute) {
        std::string name = attribute.ns.empty()
                               ? std::string(attribute.name)
                               : std::string(attribute.ns) + ":" + std::string(attribute.name);
        attributes_[std::move(name)] = std::string(attribute.value);
    }

    void parse(const std::string& xml) {
        orcus::sax_parser<XmlHandler> parser(xml.data(), xml.size(), *this);
        parser.parse();
    }

private:
    Attributes attributes_;
};

std::string valueOf(const Attributes& attributes, const std::string& name) {
    const auto found = attributes.find(name);
    return found == attributes.end() ? std::string() : found->second;
}

std::optional<double> number(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// "BC12" as column 54 and row 11; a missing part stays as it was.
void parseReference(std::string_view reference, std::int64_t& row, std::int64_t& column) {
    std::int64_t letters = 0;
    size_t i = 0;
    for (; i < reference.size() && i < 4 && std::isalpha(static_cast<unsigned char>(reference[i]));
         ++i)
        letters = letters * 26 + (std::toupper(static_cast<unsigned char>(reference[i])) - 'A' + 1);
    std::int64_t digits = 0;
    size_t count = 0;
    for (size_t k = i; k < reference.size() && count < 8; ++k, ++count) {
        if (!std::isdigit(static_cast<unsigned char>(reference[k])))
            return;
        digits = digits * 10 + (reference[k] - '0');
    }
    if (letters > 0)
        column = letters - 1;
    if (digits > 0)
        row = digits - 1;
}

bool inSheet(std::int64_t row, std::int64_t column) {
    return row >= 0 && column >= 0 && row < SheetBuilder::MaxRows &&
           column < SheetBuilder::MaxColumns;
}

// Relationship targets are relative to their part's folder unless absolute.
std::string resolve(const std::string& folder, const std::string& target) {
    if (target.starts_with('/'))
        return target.substr(1);
    std::string base = folder;
    std::string_view rest = target;
    while (rest.starts_with("../") || rest.starts_with("./")) {
        if (rest.starts_with("../")) {
            const auto slash = base.rfind('/');
            base = slash == std::string::npos ? std::string() : base.substr(0, slash);
            rest.remove_prefix(3);
        } else {
            rest.remove_prefix(2);
        }
    }
    return base.empty() ? std::string(rest) : base + "/" + std::string(rest);
}

std::string folderOf(const std::string& part) {
    const auto slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash);
}

// Id -> (type, target) of a relationships part.
class Relationships : public XmlHandler {
public:
    std::map<std::string, std::pair<std::string, std::string>> byId;

    void start(std::string_view name, const Attributes& attributes) override {
        if (name == "Relationship")
            byId[valueOf(attributes, "Id")] = {valueOf(attributes, "Type"),
                                               valueOf(attributes, "Target")};
    }
    void end(std::string_view) override {}
};

class WorkbookSheets : public XmlHandler {
public:
    std::vector<std::pair<std::string, std::string>> sheets; // name, relationship id
    bool dates1904 = false;

    void start(std::string_view name, const Attributes& attributes) override {
        if (name == "workbookPr") {
            const std::string mode = valueOf(attributes, "date1904");
            dates1904 = mode == "1" || mode == "true";
        }
        if (name != "sheet")
            return;
        std::string id;
        for (const auto& [key, value] : attributes) {
            if (key.ends_with(":id"))
                id = value;
        }
        sheets.emplace_back(valueOf(attributes, "name"), id);
    }
    void end(std::string_view) override {}
};

// One worksheet's cells. A cell or row without its "r" follows the one
// before it.
class XlsxSheet : public XmlHandler {
public:
    XlsxSheet(PackageSheet& sheet, const std::vector<std::string>& strings)
        : sheet_(sheet), strings_(strings) {}

    void start(std::string_view name, const Attributes& attributes) override {
        if (name == "row") {
            std::int64_t column = 0;
            ++row_;
            parseReference("A" + valueOf(attributes, "r"), row_, column);
            column_ = -1;
        } else if (name == "c") {
            startCell(attributes);
        } else if (name == "f") {
            formula_ = true;
        } else if (name == "v") {
            inValue_ = true;
        } else if (name == "is") {
            inInline_ = true;
        } else if (name == "rPh") {
            ++phonetic_;
        } else if (name == "t") {
            inText_ = inInline_ && phonetic_ == 0;
        }
    }

    void end(std::string_view name) override {
        if (name == "c")
            finishCell();
        else if (name == "v")
            inValue_ = false;
        else if (name == "is")
            inInline_ = false;
        else if (name == "rPh")
            --phonetic_;
        else if (name == "t")
            inText_ = false;
    }

    void text(std::string_view value) override {
        if (inValue_)
            value_ += value;
        else if (inText_)
            inline_ += value;
    }

private:
    void startCell(const Attributes& attributes) {
        ++column_;
        std::int64_t row = row_;
        parseReference(valueOf(attributes, "r"), row, column_);
        row_ = row;
        type_ = valueOf(attributes, "t");
        const auto style = number(valueOf(attributes, "s"));
        style_ = style && *style >= 0 ? std::optional<size_t>(static_cast<size_t>(*style))
                                      : std::nullopt;
        formula_ = false;
        value_.clear();
        inline_.clear();
    }

    // Texts as Excel shows them, escapes decoded; an error as its text
    // ("#DIV/0!", "#N/A", Excel 365's "#SPILL!" ...), as Excel shows it.
    SheetCell value() const {
        if (type_ == "inlineStr")
            return {SheetCell::Type::Text, decodeOoxmlEscapes(inline_), 0};
        if (value_.empty())
            return {}; // also a formula without a stored result
        if (type_ == "s") {
            const auto index = number(value_);
            if (index && *index >= 0 && *index < static_cast<double>(strings_.size()))
                return {SheetCell::Type::Text,
                        decodeOoxmlEscapes(strings_[static_cast<size_t>(*index)]), 0};
            return {};
        }
        if (type_ == "str")
            return {SheetCell::Type::Text, decodeOoxmlEscapes(value_), 0};
        if (type_ == "b")
            return {SheetCell::Type::Boolean, {}, value_ == "0" ? 0.0 : 1.0};
        if (type_ == "e")
            return {SheetCell::Type::Text, value_, 0};
        if (type_ == "d") {
            if (const auto date = parseIsoDate(value_))
                return {SheetCell::Type::Date, {}, *date};
            return {SheetCell::Type::Text, value_, 0};
        }
        if (const auto parsed = number(value_))
            return {SheetCell::Type::Number, {}, *parsed};
        return {};
    }

    void finishCell() {
        if (!inSheet(row_, column_))
            return;
        sheet_.cells.push_back(
            {{static_cast<std::uint32_t>(row_), static_cast<std::uint32_t>(column_), value()},
             style_});
    }

    PackageSheet& sheet_;
    const std::vector<std::string>& strings_;
    std::int64_t row_ = -1;
    std::int64_t column_ = -1;
    std::string type_;
    std::optional<size_t> style_;
    bool formula_ = false;
    bool inValue_ = false;
    bool inInline_ = false;
    bool inText_ = false;
    int phonetic_ = 0;
    std::string value_;
    std::string inline_;
};

std::map<std::string, std::pair<std::string, std::string>> relationships(const Package& package,
                                                                         const std::string& part) {
    const std::string name =
        part.empty()
            ? "_rels/.rels"
            : resolve(folderOf(part), "_rels/" + part.substr(part.rfind('/') + 1) + ".rels");
    Relationships rels;
    const std::string xml = package.member(name);
    if (!xml.empty())
        rels.parse(xml);
    return rels.byId;
}

std::string workbookPart(const Package& package) {
    for (const auto& [id, relation] : relationships(package, "")) {
        if (relation.first.ends_with("/officeDocument"))
            return resolve("", relation.second);
    }
    return "xl/workbook.xml";
}

} // namespace

namespace {

// The cells the array formulas of one worksheet cover. liborcus keeps a
// result slot for every cell of such a range, so a tiny damaged file could
// claim gigabytes; an inverted range would make it write outside them.
class ArrayFormulaAreas : public XmlHandler {
public:
    std::uint64_t cells = 0;
    bool inverted = false;

    void start(std::string_view name, const Attributes& attributes) override {
        if (name != "f")
            return;
        std::string type;
        std::string ref;
        for (const auto& [key, value] : attributes) {
            const std::string_view local = std::string_view(key).substr(key.rfind(':') + 1);
            if (local == "t")
                type = value;
            else if (local == "ref")
                ref = value;
        }
        if (type != "array")
            return;
        const auto range = parseA1Range(ref);
        if (!range)
            return; // liborcus refuses it
        if (range->last.row < range->first.row || range->last.column < range->first.column) {
            inverted = true;
            return;
        }
        cells += static_cast<std::uint64_t>(range->last.row - range->first.row + 1) *
                 static_cast<std::uint64_t>(range->last.column - range->first.column + 1);
    }
    void end(std::string_view) override {}
};

} // namespace

void checkXlsxArrayFormulas(const std::string& content) {
    const Package package(content);
    const std::string workbook = workbookPart(package);
    // A real workbook stores a result for most cells its array formulas
    // cover, each taking some bytes of the package.
    const std::uint64_t budget = 1'000'000 + 64 * static_cast<std::uint64_t>(content.size());
    ArrayFormulaAreas areas;
    for (const auto& [id, relation] : relationships(package, workbook)) {
        if (!relation.first.ends_with("/worksheet"))
            continue;
        const std::string xml = package.member(resolve(folderOf(workbook), relation.second));
        if (xml.find("array") == std::string::npos)
            continue; // the usual case, found without parsing
        areas.parse(xml);
        if (areas.inverted)
            throw WorkbookError(workbookmessages::Damaged);
        if (areas.cells > budget)
            throw WorkbookError(workbookmessages::TooLarge);
    }
}

XlsxSheets readXlsxSheets(const std::string& content,
                          const std::vector<std::string>& sharedStrings) {
    const Package package(content);
    const std::string workbook = workbookPart(package);
    WorkbookSheets listed;
    listed.parse(package.member(workbook));
    const auto rels = relationships(package, workbook);
    XlsxSheets result;
    result.dates1904 = listed.dates1904;
    std::vector<PackageSheet>& sheets = result.sheets;
    for (const auto& [name, id] : listed.sheets) {
        const auto found = rels.find(id);
        if (found == rels.end() || !found->second.first.ends_with("/worksheet"))
            continue;
        sheets.push_back({name, {}});
        const std::string xml = package.member(resolve(folderOf(workbook), found->second.second));
        if (!xml.empty())
            XlsxSheet(sheets.back(), sharedStrings).parse(xml);
    }
    return result;
}

namespace {

// The cells of an .ods content part. liborcus 0.17 drops formula results and
// booleans, and places every cell after a covered (merged) cell one column too
// far left. A repeated row or cell stands for as many rows or cells.
class OdsCells : public XmlHandler {
public:
    explicit OdsCells(std::vector<PackageSheet>& sheets) : sheets_(sheets) {}

    void start(std::string_view name, const Attributes& attributes) override {
        if (name == "table") {
            sheets_.push_back({valueOf(attributes, "table:name"), {}});
            row_ = 0;
        } else if (name == "table-row") {
            rowRepeat_ = repeat(attributes, "table:number-rows-repeated");
            column_ = 0;
            rowCells_.clear();
        } else if (name == "table-cell" || name == "covered-table-cell") {
            startCell(attributes);
        } else if (inCell_ && name == "annotation") {
            ++annotation_;
        } else if (inCell_ && annotation_ == 0) {
            startText(name, attributes);
        }
    }

    void end(std::string_view name) override {
        if (name == "table-row") {
            finishRow();
        } else if (name == "table-cell" || name == "covered-table-cell") {
            finishCell();
        } else if (name == "annotation" && annotation_ > 0) {
            --annotation_;
        } else if (name == "p") {
            inParagraph_ = false;
        }
    }

    void text(std::string_view value) override {
        if (inCell_ && inParagraph_ && annotation_ == 0)
            text_ += value;
    }

private:
    static std::int64_t repeat(const Attributes& attributes, const char* name) {
        const auto count = number(valueOf(attributes, name));
        return count && *count >= 1 ? static_cast<std::int64_t>(std::min(*count, 1e7)) : 1;
    }

    void startCell(const Attributes& attributes) {
        inCell_ = true;
        cellRepeat_ = repeat(attributes, "table:number-columns-repeated");
        valueType_ = valueOf(attributes, "office:value-type");
        error_ = valueOf(attributes, "calcext:value-type") == "error";
        value_ = valueOf(attributes, "office:value");
        boolean_ = valueOf(attributes, "office:boolean-value");
        date_ = valueOf(attributes, "office:date-value");
        time_ = valueOf(attributes, "office:time-value");
        stringValue_ = attributes.count("office:string-value")
                           ? std::optional(valueOf(attributes, "office:string-value"))
                           : std::nullopt;
        text_.clear();
        paragraphs_ = 0;
    }

    void startText(std::string_view name, const Attributes& attributes) {
        if (name == "p") {
            if (paragraphs_++ > 0)
                text_ += '\n';
            inParagraph_ = true;
        } else if (name == "s") {
            text_.append(
                static_cast<size_t>(std::min<std::int64_t>(repeat(attributes, "text:c"), 1000)),
                ' ');
        } else if (name == "tab") {
            text_ += '\t';
        } else if (name == "line-break") {
            text_ += '\n';
        }
    }

    // A cell as Calc shows it: an error result (calcext:value-type="error",
    // with an empty string value) as its text, "#DIV/0!" and the like; a
    // time of day as a fraction of a day. A cell without a value type holds
    // nothing, also where it has text.
    std::optional<SheetCell> cell() const {
        if (error_)
            return SheetCell{SheetCell::Type::Text, text_, 0};
        if (valueType_ == "boolean")
            return SheetCell{SheetCell::Type::Boolean, {}, boolean_ == "true" ? 1.0 : 0.0};
        if (valueType_ == "float" || valueType_ == "percentage" || valueType_ == "currency") {
            if (const auto parsed = number(value_))
                return SheetCell{SheetCell::Type::Number, {}, *parsed};
        } else if (valueType_ == "string") {
            return SheetCell{SheetCell::Type::Text, stringValue_ ? *stringValue_ : text_, 0};
        } else if (valueType_ == "date") {
            if (const auto date = parseIsoDate(date_))
                return SheetCell{SheetCell::Type::Date, {}, *date};
        } else if (valueType_ == "time") {
            if (const auto time = parseDuration(time_))
                return SheetCell{SheetCell::Type::Date, {}, *time};
        }
        return std::nullopt;
    }

    // "PT12H30M05.5S" as a fraction of a day.
    static std::optional<double> parseDuration(std::string_view text) {
        if (!text.starts_with("PT"))
            return std::nullopt;
        text.remove_prefix(2);
        double seconds = 0;
        while (!text.empty()) {
            size_t digits = 0;
            while (digits < text.size() &&
                   (std::isdigit(static_cast<unsigned char>(text[digits])) || text[digits] == '.'))
                ++digits;
            const auto value = number(text.substr(0, digits));
            if (!value || digits >= text.size())
                return std::nullopt;
            const char unit = text[digits];
            seconds += *value * (unit == 'H' ? 3600 : unit == 'M' ? 60 : unit == 'S' ? 1 : -1e300);
            text.remove_prefix(digits + 1);
        }
        if (!(seconds >= 0 && seconds < 1e12))
            return std::nullopt;
        return seconds / 86400;
    }

    void finishCell() {
        inCell_ = false;
        if (const auto found = cell()) {
            for (std::int64_t i = 0; i < cellRepeat_ && column_ + i < SheetBuilder::MaxColumns; ++i)
                rowCells_.push_back({column_ + i, *found});
        }
        column_ += cellRepeat_;
    }

    // A repeated row with values repeats them, up to a budget far beyond any
    // real sheet.
    void finishRow() {
        for (std::int64_t i = 0; i < rowRepeat_ && !rowCells_.empty(); ++i) {
            if (!inSheet(row_ + i, 0) || emitted_ > 4'000'000)
                break;
            for (const auto& [column, cell] : rowCells_) {
                sheets_.back().cells.push_back({{static_cast<std::uint32_t>(row_ + i),
                                                 static_cast<std::uint32_t>(column), cell},
                                                std::nullopt});
                ++emitted_;
            }
        }
        row_ += rowRepeat_;
    }

    std::vector<PackageSheet>& sheets_;
    std::int64_t row_ = 0;
    std::int64_t column_ = 0;
    std::int64_t rowRepeat_ = 1;
    std::int64_t cellRepeat_ = 1;
    std::vector<std::pair<std::int64_t, SheetCell>> rowCells_;
    bool inCell_ = false;
    bool inParagraph_ = false;
    int annotation_ = 0;
    int paragraphs_ = 0;
    std::string valueType_;
    bool error_ = false;
    std::string value_;
    std::string boolean_;
    std::string date_;
    std::string time_;
    std::optional<std::string> stringValue_;
    std::string text_;
    size_t emitted_ = 0;
};

} // namespace

std::vector<PackageSheet> readOdsCells(const std::string& content) {
    const Package package(content);
    std::vector<PackageSheet> sheets;
    OdsCells(sheets).parse(package.member("content.xml"));
    return sheets;
}

} // namespace quorbel
