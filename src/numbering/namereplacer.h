// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numbering/namegenerator.h"

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

class RenameList;

// What the user asks of find and replace, as typed.
struct ReplaceRule {
    std::string find;
    std::string replacement;
    bool regex = false;      // find is a regular expression, replacement may hold $1, ${name}
    bool ignoreCase = false; // letters of every script
};

// A rule that cannot be used, in the words shown to the user.
class ReplaceRuleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Find and replace over names without extension: every occurrence of the
// found text is replaced. Plain text is taken literally, a regular expression
// is read as PCRE2 in UTF mode and compiled once, to machine code where the
// processor allows.
//
// Names that are not valid UTF-8 are matched around their bad bytes: the
// valid parts match as in any other name (so plain text finds the same bytes
// it would find byte for byte), the bad bytes match nothing, not even ".",
// and are kept exactly as they were.
class NameReplacer {
public:
    // Throws ReplaceRuleError for an empty find text, a text that is not
    // UTF-8, an expression PCRE2 refuses or a replacement naming a group the
    // expression lacks; the message says where, counted in characters.
    explicit NameReplacer(const ReplaceRule& rule);
    ~NameReplacer();
    NameReplacer(NameReplacer&&) noexcept;
    NameReplacer& operator=(NameReplacer&&) noexcept;

    // The name with every match replaced, or nothing when nothing matched.
    // Throws ReplaceRuleError when the matcher gives up on a name (it ran
    // into its backtracking limit).
    std::optional<std::string> replace(std::string_view name);

private:
    struct Compiled;
    std::unique_ptr<Compiled> compiled_;
};

struct ReplacedNames {
    std::vector<NumberedName> names; // rows where something matched, in row order
    int emptied = 0;                 // of those, rows whose new name came out empty
};

// The new names of the file rows 1 to lastRow (clamped to the list), read
// from column 2. Writes nothing, so an error leaves the list as it was.
ReplacedNames replaceNames(const RenameList& list, NameReplacer& replacer, int lastRow);
ReplacedNames replaceNames(const RenameList& list, NameReplacer& replacer);

// "查找替换 n 个文件", and how many of them came out empty.
std::string replacedStatusText(const ReplacedNames& result);

} // namespace quorbel
