// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorbel {

class TfrmMain;

// Find and replace over the original names; fills column 3 of the rows
// where something matched.
void replaceCommand(TfrmMain& main);

// New names from the date each picture was taken; fills column 3 of the rows
// whose file has one.
void dateNameCommand(TfrmMain& main);

} // namespace quorbel
