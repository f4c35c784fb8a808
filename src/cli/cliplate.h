// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quorbel {

struct CliOptions;
class RenameList;

// --plate: reads the plate block chosen by --sheet and --block and names every
// file whose name holds one of its wells. Returns the status text. Throws
// UsageError, before any file is touched, for a workbook that cannot be read,
// an unknown sheet, a sheet without a plate and a block that is not there.
std::string applyPlateLayout(RenameList& list, const CliOptions& options);

} // namespace quorbel
