// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/a1reference.h"

#include "mapping/sheetbuilder.h"

#include <cctype>

namespace quorbel {
namespace {

namespace ss = orcus::spreadsheet;

std::string_view withoutSheet(std::string_view text) {
    const auto bang = text.rfind('!');
    return bang == std::string_view::npos ? text : text.substr(bang + 1);
}

// A missing part (-1) stands for a whole row or column.
void fillWhole(ss::src_address_t& address, bool end) {
    if (address.row < 0)
        address.row = end ? static_cast<ss::row_t>(SheetBuilder::MaxRows - 1) : 0;
    if (address.column < 0)
        address.column = end ? static_cast<ss::col_t>(SheetBuilder::MaxColumns - 1) : 0;
}

} // namespace

std::optional<ss::src_address_t> parseA1Address(std::string_view text) {
    text = withoutSheet(text);
    ss::src_address_t address{0, -1, -1};
    size_t i = text.starts_with('$') ? 1 : 0;
    long column = 0;
    size_t letters = 0;
    for (; i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])) && letters < 4;
         ++i, ++letters)
        column = column * 26 + (std::toupper(static_cast<unsigned char>(text[i])) - 'A' + 1);
    if (i < text.size() && text[i] == '$')
        ++i;
    long row = 0;
    size_t digits = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && digits < 8;
         ++i, ++digits)
        row = row * 10 + (text[i] - '0');
    if (i != text.size() || (letters == 0 && digits == 0) || (digits > 0 && row == 0))
        return std::nullopt;
    if (letters > 0)
        address.column = static_cast<ss::col_t>(column - 1);
    if (digits > 0)
        address.row = static_cast<ss::row_t>(row - 1);
    return address;
}

std::optional<ss::src_range_t> parseA1Range(std::string_view text) {
    text = withoutSheet(text);
    const auto colon = text.find(':');
    const auto first = parseA1Address(text.substr(0, colon));
    const auto last =
        colon == std::string_view::npos ? first : parseA1Address(text.substr(colon + 1));
    if (!first || !last)
        return std::nullopt;
    ss::src_range_t result{*first, *last};
    fillWhole(result.first, false);
    fillWhole(result.last, true);
    return result;
}

} // namespace quorbel
