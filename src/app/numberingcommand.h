// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorbel {

class TfrmMain;

void numberingCommand(TfrmMain& main);

} // namespace quorbel
