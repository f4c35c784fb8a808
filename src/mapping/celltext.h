// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "global/localeformat.h"
#include "mapping/workbookreader.h"

#include <string>

namespace quorbel {

// Empty cells and empty texts: neither ever matches a key.
bool isBlank(const SheetCell& cell);

// A number in general form: at most 15 significant digits, no trailing zeros,
// no grouping, exponent form ("1E15", "5E-5") outside 0.0001 to 10^15.
std::string numberText(double value, char decimalSeparator = '.');

// yyyy-mm-dd, with " hh.mm.ss" when there is a time of day; a time alone as
// hh.mm.ss. "/" and ":" stay out because the text ends up in file names.
std::string dateText(DateSerial serial);

// A cell as it is written into a new name.
std::string cellText(const SheetCell& cell, const LocaleFormat& locale);

} // namespace quorbel
