// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mapping/plateblock.h"
#include "mapping/workbookreader.h"

#include <string>
#include <vector>

namespace quorbel {

// Every plate block of a sheet, top to bottom, then left to right by its
// corner. A block is a row of column numbers 1, 2, ... (12 or 24 of them,
// numbers or texts) and, in the column left of the 1, the row letters A, B, ...
// (8 or 16, either case) directly below; anything else around it is ignored.
// A run that stops early, runs on past its size or has letters of another
// count is no block.
std::vector<PlateBlock> findPlateBlocks(const MappingTable& sheet);

// Why a sheet holds no block: what was looked for and, when something came
// close, where it stopped matching.
std::string noPlateMessage(const MappingTable& sheet);

} // namespace quorbel
