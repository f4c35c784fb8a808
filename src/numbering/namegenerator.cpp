// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/namegenerator.h"

#include "global/pathsplit.h"
#include "numbering/integerreading.h"
#include "renamelist/renamelist.h"

#include <algorithm>

namespace quorbel {
namespace {

// Counter arithmetic modulo 2^32, as a 32-bit register adds.
std::int32_t wrappedAdd(std::int32_t value, std::int64_t steps, std::int32_t increment) {
    const auto offset = static_cast<std::uint64_t>(steps) * static_cast<std::uint32_t>(increment);
    const auto sum = static_cast<std::uint32_t>(static_cast<std::uint32_t>(value) + offset);
    return static_cast<std::int32_t>(sum);
}

} // namespace

std::string paddedNumber(std::int32_t value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

std::optional<std::vector<NumberedName>> generateNames(const NumberingRule& rule) {
    const std::optional<std::int32_t> start = readInteger(rule.startText);
    if (!start)
        return std::nullopt;
    std::vector<NumberedName> names;
    // Only the rows that exist are visited, so a range typed far beyond the list
    // costs nothing; the counter is advanced over the skipped rows at once.
    const std::int64_t first = std::max<std::int64_t>(rule.firstRow, 1);
    const std::int64_t last = std::min<std::int64_t>(rule.lastRow, rule.lastFileRow);
    if (first > last)
        return names;
    names.reserve(static_cast<std::size_t>(last - first + 1));
    std::int32_t counter = wrappedAdd(*start, first - rule.firstRow, rule.increment);
    const std::size_t width = rule.startText.size();
    for (std::int64_t row = first; row <= last; ++row) {
        std::string name;
        name.reserve(rule.prefix.size() + std::max<std::size_t>(width, 11));
        name.append(rule.prefix);
        name.append(paddedNumber(counter, width));
        names.push_back({static_cast<int>(row), std::move(name)});
        counter = wrappedAdd(counter, 1, rule.increment);
    }
    return names;
}

RowRange orderedRange(std::int32_t first, std::int32_t last) {
    if (first > last)
        return {last, first};
    return {first, last};
}

std::optional<std::vector<NumberedName>> numberRows(const NumberingRequest& request,
                                                    std::int32_t lastFileRow) {
    const std::string prefix = trimmed(request.prefix);
    const std::string startText = trimmed(request.startText);
    const RowRange range = orderedRange(request.firstRow, request.lastRow);
    return generateNames(
        {prefix, startText, request.increment, range.first, range.last, lastFileRow});
}

void writeNewNames(RenameList& list, std::vector<NumberedName> names) {
    list.beginUpdate();
    struct EndUpdate {
        RenameList& list;
        ~EndUpdate() { list.endUpdate(); }
    } endUpdate{list};
    for (NumberedName& entry : names)
        list.setCell(RenameList::NewName, entry.row, std::move(entry.name));
}

} // namespace quorbel
