#include "cli/clirun.h"

int main(int argc, char** argv) {
    return quorbel::runCli(argc, argv);
}
