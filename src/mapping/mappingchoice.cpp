#include "mapping/mappingchoice.h"

#include <algorithm>

namespace quorbel {
namespace {

std::string joinedNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        if (!text.empty())
            text += ", ";
        text += '"' + name + '"';
    }
    return text.empty() ? "none" : text;
}

int findColumn(const MappingTable& table, const std::string& sheetName, const std::string& name) {
    const int column = table.columnIndex(name);
    if (column < 0)
        throw MappingChoiceError("no column \"" + name + "\" in sheet \"" + sheetName +
                                 "\" (columns: " + joinedNames(table.columnNames()) + ")");
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
        throw MappingChoiceError("no sheet \"" + sheetName +
                                 "\" in the workbook (sheets: " + joinedNames(sheets) + ")");
    return reader.readSheet(sheetName);
}

MappingChoice chooseMapping(WorkbookReader& reader, const std::string& sheetName,
                            const std::string& keyColumnName, const std::string& valueColumnName) {
    MappingChoice choice;
    choice.table = readNamedSheet(reader, sheetName);
    choice.keyColumn = findColumn(choice.table, sheetName, keyColumnName);
    choice.valueColumn = findColumn(choice.table, sheetName, valueColumnName);
    if (!mappingColumnsPair(choice.table.columnNames(), choice.keyColumn, choice.valueColumn))
        throw MappingChoiceError("the key and the value column must be two different columns");
    return choice;
}

std::string mappedStatusText(int matches) {
    return "使用对应表对应 " + std::to_string(matches) + " 个文件";
}

} // namespace quorbel
