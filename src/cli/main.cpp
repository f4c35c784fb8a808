// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/clirun.h"

int main(int argc, char** argv) {
    return quorbel::runCli(argc, argv);
}
