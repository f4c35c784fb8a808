// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/namereplacer.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Every occurrence, left to right, without overlap: what plain text must find
// in any name, UTF-8 or not.
std::optional<std::string> replacedByteWise(std::string_view name, std::string_view find,
                                            std::string_view replacement) {
    std::string out;
    bool found = false;
    std::size_t from = 0;
    for (std::size_t at = name.find(find); at != std::string_view::npos;
         at = name.find(find, from)) {
        out.append(name.substr(from, at - from)).append(replacement);
        from = at + find.size();
        found = true;
    }
    if (!found)
        return std::nullopt;
    return out.append(name.substr(from));
}

} // namespace

// Find and replace: the input is a flag byte (bit 0 regular expression, bit 1
// ignore case), then the find text, the replacement and a name, separated by
// NUL bytes. Any rule either is refused with a message or replaces without a
// crash; plain text without ignore-case agrees with a byte-wise search.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t first = rest.find('\0');
    const std::size_t second = first == std::string_view::npos ? first : rest.find('\0', first + 1);
    if (second == std::string_view::npos)
        return 0;
    quorbel::ReplaceRule rule{std::string(rest.substr(0, first)),
                              std::string(rest.substr(first + 1, second - first - 1)),
                              (data[0] & 1) != 0, (data[0] & 2) != 0};
    const std::string_view name = rest.substr(second + 1);
    try {
        quorbel::NameReplacer replacer(rule);
        const std::optional<std::string> result = replacer.replace(name);
        if (!rule.regex && !rule.ignoreCase &&
            result != replacedByteWise(name, rule.find, rule.replacement))
            std::abort();
    } catch (const quorbel::ReplaceRuleError& error) {
        if (std::string_view(error.what()).empty())
            std::abort();
    }
    return 0;
}
