// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace CLI {
class App;
class ParseError;
} // namespace CLI

namespace quorbel {

// What the argument parser found wrong with the command line, in the user's
// language and naming the options concerned. Call it in a handler of
// CLI::ParseError with the error caught: it tells the kinds of error apart by
// their types and reads the options from the parser's state, so none of the
// parser's English is shown or taken apart. lastArgument is the last word of
// the command line (the option left without its value when the words ran out).
std::string parseErrorText(const CLI::App& app, const CLI::ParseError& error,
                           std::string_view lastArgument);

} // namespace quorbel
