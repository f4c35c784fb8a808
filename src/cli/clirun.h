// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorbel {

// The whole command line program: parses the arguments, builds the rename
// list as the window does, gives it its new names, runs it and reports.
// Returns the exit status: 0 no row failed, 1 some row failed, 2 bad usage or
// bad input (then no file was touched).
int runCli(int argc, char** argv);

} // namespace quorbel
