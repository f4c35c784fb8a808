// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <orcus/spreadsheet/types.hpp>

#include <optional>
#include <string_view>

namespace quorbel {

// An A1 range as an .xlsx sheet writes it ("B7", "$B$7:C9", "Sheet1!A1:C9",
// whole columns "A:C" and rows "3:5"), 0-based; a whole column or row runs
// to the sheet's edge. Nothing for text that is not such a range.
std::optional<orcus::spreadsheet::src_range_t> parseA1Range(std::string_view text);

// The same for one cell; a missing row or column stays -1.
std::optional<orcus::spreadsheet::src_address_t> parseA1Address(std::string_view text);

} // namespace quorbel
