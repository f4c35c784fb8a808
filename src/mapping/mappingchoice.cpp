// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/mappingchoice.h"

#include "global/coretext.h"

#include <algorithm>

namespace quorbel {
namespace {

constexpr CoreText noneText{"无", "none"};
constexpr CoreText noColumn{"工作表“%2”中没有“%1”列(列: %3)",
                            "no column \"%1\" in sheet \"%2\" (columns: %3)"};
constexpr CoreText noSheet{"工作簿中没有工作表“%1”(工作表: %2)",
                           "no sheet \"%1\" in the workbook (sheets: %2)"};
constexpr CoreText sameColumn{"原文件名和新文件名必须是两个不同的列",
                              "the key and the value column must be two different columns"};

std::string joinedNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        if (!text.empty())
            text += ", ";
        text += '"' + name + '"';
    }
    return text.empty() ? std::string(noneText) : text;
}

int findColumn(const MappingTable& table, const std::string& sheetName, const std::string& name) {
    const int column = table.columnIndex(name);
    if (column < 0)
        throw MappingChoiceError(
            noColumn.fill({name, sheetName, joinedNames(table.columnNames())}));
    return column;
}

} // namespace

bool mappingColumnsPair(const std::vector<std::string>& columnNames, int keyColumn,
                        int valueColumn) {
    const auto count = static_cast<int>(columnNames.size());
    if (keyColumn < 0 || valueColumn < 0 || keyColumn >= count || valueColumn >= count)
        return false;
    const std::string& key = columnNames[static_cast<size_t>(keyColumn)];
    const std::string& value = columnNames[static_cast<size_t>(valueColumn)];
    return !key.empty() && !value.empty() && key != value;
}

MappingTable readNamedSheet(WorkbookReader& reader, const std::string& sheetName) {
    const std::vector<std::string> sheets = reader.sheetNames();
    if (std::find(sheets.begin(), sheets.end(), sheetName) == sheets.end())
        throw MappingChoiceError(noSheet.fill({sheetName, joinedNames(sheets)}));
    return reader.readSheet(sheetName);
}

MappingChoice chooseMapping(WorkbookReader& reader, const std::string& sheetName,
                            const std::string& keyColumnName, const std::string& valueColumnName) {
    MappingChoice choice;
    choice.table = readNamedSheet(reader, sheetName);
    choice.keyColumn = findColumn(choice.table, sheetName, keyColumnName);
    choice.valueColumn = findColumn(choice.table, sheetName, valueColumnName);
    if (!mappingColumnsPair(choice.table.columnNames(), choice.keyColumn, choice.valueColumn))
        throw MappingChoiceError(sameColumn);
    return choice;
}

std::string mappedStatusText(int matches) {
    static constexpr CoreText mapped{"使用对应表对应 %1 个文件", "Mapping table matched %1 files",
                                     "Mapping table matched 1 file"};
    return mapped.count(matches);
}

} // namespace quorbel
