// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace quorbel {

// Everything the command line can ask for, as typed. Numbers stay texts so
// that they are read by the same integer rule as the numbering dialog's fields.
struct CliOptions {
    std::vector<std::string> files;
    std::string filesFrom;
    bool nulSeparated = false;
    std::string dir;
    std::string type;

    std::string map;
    std::string sheet;
    std::string key;
    std::string value;

    std::string plate;
    std::string block;

    bool number = false;
    std::string prefix = "B";
    std::string start = "01";
    std::string step = "1";
    std::string first;
    std::string last;

    std::string names;

    std::vector<std::string> replace; // FIND and REPLACEMENT
    bool regex = false;
    bool ignoreCase = false;
    std::string date;
    bool dateGiven = false; // so that an empty pattern is refused as one

    bool check = false;
    bool undo = false;
    bool history = false;
    std::string exportPath;
    bool quiet = false;
};

// The one definition of the command line: every option, its help text with an
// example, and which options go together. The manual page is made from it too.
std::unique_ptr<CLI::App> buildCli(CliOptions& options);

} // namespace quorbel
