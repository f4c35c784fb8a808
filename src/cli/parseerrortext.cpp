// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/parseerrortext.h"

#include "global/coretext.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iterator>
#include <optional>
#include <set>
#include <vector>

namespace quorbel {
namespace {

constexpr CoreText unknownOptions{"未知的选项: %2", "unknown options: %2", "unknown option: %2"};
constexpr CoreText missingValue{"%1 后面必须跟 %2", "%1 must be followed by %2"};
constexpr CoreText aValue{"一个值", "a value"};
constexpr CoreText givenTwice{"%1 只能给出一次", "%1 may be given only once"};
constexpr CoreText badValue{"%1 不接受“%2”", "%1 does not take \"%2\""};
constexpr CoreText needsOthers{"%1 需要 %2", "%1 needs %2"};
constexpr CoreText excludesOther{"%1 不能与 %2 一起使用", "%1 cannot be used with %2"};
constexpr CoreText isRequired{"必须给出 %1", "%1 is required"};
constexpr CoreText fileArguments{"文件参数", "files"};
// Kinds of error this command line never makes (configuration files,
// subcommands); the parser's own words are better than none there.
constexpr CoreText otherError{"无法读取命令行: %1", "cannot read the command line: %1"};

using Options = std::vector<const CLI::Option*>;

std::string nameOf(const CLI::Option& option) {
    return option.nonpositional() ? option.get_name() : std::string(fileArguments.text());
}

std::string namesOf(const Options& options) {
    std::string names;
    for (const CLI::Option* option : options)
        names.append(names.empty() ? "" : " ").append(nameOf(*option));
    return names;
}

std::string joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words)
        text.append(text.empty() ? "" : " ").append(word);
    return text;
}

bool given(const CLI::Option* option) {
    return option->count() > 0;
}

bool takesValues(const CLI::Option& option) {
    return option.get_items_expected_max() > 0;
}

std::string missingValueOf(const CLI::Option& option) {
    const std::string& what = option.get_option_text();
    return missingValue.fill({option.get_name(), what.empty() ? aValue.text() : what});
}

// The parser stops at an option whose value is not there when the words run
// out, before it counts anything for that option: the last word names it.
std::optional<std::string> optionLeftWithoutValue(const CLI::App& app,
                                                  std::string_view lastArgument) {
    const std::string name(lastArgument.substr(0, lastArgument.find('=')));
    if (name.size() < 2 || name[0] != '-')
        return std::nullopt;
    const CLI::Option* option = app.get_option_no_throw(name);
    if (!option || given(option) || option->get_items_expected_min() == 0)
        return std::nullopt;
    return missingValueOf(*option);
}

// Otherwise an option that did get words, too few or too many of them.
std::optional<std::string> wrongNumberOfValues(const CLI::App& app, std::string_view lastArgument) {
    if (auto missing = optionLeftWithoutValue(app, lastArgument))
        return missing;
    for (const CLI::Option* option : app.get_options()) {
        if (!given(option) || !takesValues(*option))
            continue;
        const auto count = static_cast<int>(option->count());
        if (count < std::max(option->get_items_expected_min(), 1))
            return missingValueOf(*option);
        if (count > std::max(option->get_items_expected_max(), 1))
            return givenTwice.fill({option->get_name()});
    }
    return std::nullopt;
}

// Values are checked and then converted, option by option in their order; an
// option counts as done once checked, before its conversion. So a check that
// failed stopped at the first given option not done, and a conversion that
// failed at the last one done.
std::optional<std::string> valueNotTaken(const CLI::App& app, bool checkFailed) {
    const CLI::Option* refused = nullptr;
    for (const CLI::Option* option : app.get_options()) {
        if (!given(option))
            continue;
        if (!option->get_callback_run()) {
            if (checkFailed)
                refused = option;
            break;
        }
        refused = option;
    }
    if (!refused)
        return std::nullopt;
    return badValue.fill({refused->get_name(), joined(refused->results())});
}

bool among(const std::set<CLI::Option*>& set, const CLI::Option* option) {
    return std::ranges::any_of(set, [option](const CLI::Option* each) { return each == option; });
}

// The parser checks option by option, first what each needs, then what it
// excludes; found in the same order, the rule broken is the one it reported.
// Every option still missing is named, so one correction is enough.
std::optional<std::string> brokenRule(const CLI::App& app) {
    const Options options = app.get_options();
    for (const CLI::Option* option : options) {
        if (!given(option))
            continue;
        const std::set<CLI::Option*> needs = option->get_needs();
        Options missing;
        std::ranges::copy_if(options, std::back_inserter(missing), [&needs](const CLI::Option* o) {
            return !given(o) && among(needs, o);
        });
        if (!missing.empty())
            return needsOthers.fill({nameOf(*option), namesOf(missing)});
        const std::set<CLI::Option*> excludes = option->get_excludes();
        const auto other = std::ranges::find_if(
            options, [&excludes](const CLI::Option* o) { return given(o) && among(excludes, o); });
        if (other == options.end())
            continue;
        // An option reads better first than the file arguments do.
        const bool swap = !option->nonpositional();
        return excludesOther.fill(
            {nameOf(swap ? **other : *option), nameOf(swap ? *option : **other)});
    }
    return std::nullopt;
}

std::optional<std::string> requiredMissing(const CLI::App& app) {
    for (const CLI::Option* option : app.get_options()) {
        if (option->get_required() && !given(option))
            return isRequired.fill({nameOf(*option)});
    }
    return std::nullopt;
}

std::string unknownArguments(const CLI::App& app) {
    const std::vector<std::string> extras = app.remaining();
    return unknownOptions.count(static_cast<long long>(extras.size()), {joined(extras)});
}

// The kinds of error told apart by their types: the exception being handled
// is thrown again and caught by what it is.
std::optional<std::string> ownText(const CLI::App& app, std::string_view lastArgument) {
    try {
        throw;
    } catch (const CLI::ExtrasError&) {
        return unknownArguments(app);
    } catch (const CLI::ArgumentMismatch&) {
        return wrongNumberOfValues(app, lastArgument);
    } catch (const CLI::ConversionError&) {
        return valueNotTaken(app, false);
    } catch (const CLI::ValidationError&) {
        return valueNotTaken(app, true);
    } catch (const CLI::RequiresError&) {
        return brokenRule(app);
    } catch (const CLI::ExcludesError&) {
        return brokenRule(app);
    } catch (const CLI::RequiredError&) {
        return requiredMissing(app);
    } catch (...) {
        return std::nullopt;
    }
}

} // namespace

std::string parseErrorText(const CLI::App& app, const CLI::ParseError& error,
                           std::string_view lastArgument) {
    return ownText(app, lastArgument).value_or(otherError.fill({error.what()}));
}

} // namespace quorbel
