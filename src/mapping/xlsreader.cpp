// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/xlsreader.h"

#include "global/localeformat.h"
#include "mapping/sheetbuilder.h"
#include "mapping/workbookmessages.h"
#include "mapping/xlsguard.h"

#include <freexl.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <unistd.h>

namespace quorbel {
namespace {

// BIFF8 holds at most 65536 rows and 256 columns; a larger claimed extent
// comes from a damaged file.
constexpr unsigned maxXlsRows = 65536;
constexpr unsigned maxXlsColumns = 256;

// FreeXL reads only from a path: the checked bytes go to a private temporary
// file, removed again as soon as FreeXL has read it.
class TemporaryCopy {
public:
    explicit TemporaryCopy(const std::string& content) {
        path_ = (std::filesystem::temp_directory_path() / "quorbel-xls-XXXXXX").string();
        const int fd = ::mkstemp(path_.data());
        if (fd < 0)
            throw WorkbookError(workbookmessages::CannotOpen);
        size_t written = 0;
        while (written < content.size()) {
            const ssize_t step = ::write(fd, content.data() + written, content.size() - written);
            if (step <= 0)
                break;
            written += static_cast<size_t>(step);
        }
        ::close(fd);
        if (written < content.size()) {
            ::unlink(path_.c_str());
            throw WorkbookError(workbookmessages::CannotOpen);
        }
    }
    ~TemporaryCopy() { ::unlink(path_.c_str()); }
    TemporaryCopy(const TemporaryCopy&) = delete;
    TemporaryCopy& operator=(const TemporaryCopy&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

bool isEncrypted(const std::string& path) {
    const void* handle = nullptr;
    unsigned int password = 0;
    const bool encrypted = freexl_open_info(path.c_str(), &handle) == FREEXL_OK &&
                           freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
                           password == FREEXL_BIFF_OBFUSCATED;
    if (handle)
        freexl_close(handle);
    return encrypted;
}

// "HH:MM:SS" as a fraction of a day.
std::optional<double> parseClock(const char* text) {
    int hours = 0, minutes = 0, seconds = 0;
    if (std::strlen(text) != 8 || std::sscanf(text, "%2d:%2d:%2d", &hours, &minutes, &seconds) != 3)
        return std::nullopt;
    return (hours * 3600.0 + minutes * 60.0 + seconds) / 86400.0;
}

SheetCell toCell(const FreeXL_CellValue& value) {
    switch (value.type) {
    case FREEXL_CELL_INT:
        return {SheetCell::Type::Number, {}, static_cast<double>(value.value.int_value)};
    case FREEXL_CELL_DOUBLE:
        return {SheetCell::Type::Number, {}, value.value.double_value};
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return {SheetCell::Type::Text, value.value.text_value ? value.value.text_value : "", 0};
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME: {
        const char* text = value.value.text_value ? value.value.text_value : "";
        auto serial = value.type == FREEXL_CELL_TIME ? parseClock(text) : parseIsoDate(text);
        if (serial)
            return {SheetCell::Type::Date, {}, *serial};
        return {SheetCell::Type::Text, text, 0};
    }
    default:
        return {};
    }
}

} // namespace

XlsReader::XlsReader(const std::string& content) {
    XlsCheck check = checkXlsFile(content);
    cells_ = std::move(check.cells);
    if (!check.freexlFails) {
        const TemporaryCopy copy(check.freexlFile);
        check.freexlFile.clear();
        const std::string& path = copy.path();
        const int code = freexl_open(path.c_str(), &handle_);
        if (code == FREEXL_OK && handle_) {
            unsigned int password = 0;
            if (freexl_get_info(handle_, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
                password == FREEXL_BIFF_OBFUSCATED) {
                freexl_close(handle_); // no destructor runs after a throw here
                throw WorkbookError(workbookmessages::Encrypted);
            }
            if (readFreexlNames())
                return;
        } else if (isEncrypted(path)) {
            throw WorkbookError(workbookmessages::Encrypted);
        } else if (code == FREEXL_INSUFFICIENT_MEMORY) {
            throw WorkbookError(workbookmessages::TooLarge);
        }
    }
    // The check found a sound workbook that FreeXL cannot read (it refuses
    // some valid files, or opens them and then has no sheets to give, where
    // it is known to, without trying): the record pass reads all of it.
    if (handle_)
        freexl_close(handle_);
    handle_ = nullptr;
    XlsCheck all = checkXlsFile(content, true);
    cells_ = std::move(all.cells);
    names_.clear();
    sheetIndexes_.clear();
    for (XlsSheet& sheet : all.sheets) {
        names_.push_back(std::move(sheet.name));
        sheetIndexes_.push_back(sheet.index);
    }
}

XlsReader::~XlsReader() {
    if (handle_)
        freexl_close(handle_);
}

bool XlsReader::readFreexlNames() {
    unsigned int count = 0;
    if (freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
        return false;
    for (unsigned int index = 0; index < count && index <= 0xFFFF; ++index) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(handle_, static_cast<unsigned short>(index), &name) !=
                FREEXL_OK ||
            !name)
            return false;
        names_.emplace_back(name);
        sheetIndexes_.push_back(index);
    }
    return true;
}

std::vector<std::string> XlsReader::sheetNames() {
    if (names_.empty())
        throw WorkbookError(workbookmessages::NoSheets);
    return names_;
}

size_t XlsReader::sheetIndex(const std::string& sheetName) const {
    for (size_t index = 0; index < names_.size(); ++index) {
        if (names_[index] == sheetName)
            return index;
    }
    throw WorkbookError(std::string(workbookmessages::NoSuchSheet) + "“" + sheetName + "”");
}

MappingTable XlsReader::readSheet(const std::string& sheetName) {
    const size_t listed = sheetIndex(sheetName);
    if (!handle_) {
        SheetBuilder builder;
        for (const XlsCell& cell : cells_) {
            if (cell.sheet == sheetIndexes_[listed])
                builder.add(cell.row, cell.column, cell.cell);
        }
        return builder.build();
    }
    const auto index = static_cast<unsigned short>(listed);
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(handle_, index) != FREEXL_OK ||
        freexl_worksheet_dimensions(handle_, &rows, &columns) != FREEXL_OK)
        throw WorkbookError(workbookmessages::Damaged);
    if (rows > maxXlsRows || columns > maxXlsColumns)
        throw WorkbookError(workbookmessages::Damaged);
    // The check's cells take the place of what FreeXL holds there.
    std::set<std::pair<std::uint32_t, std::uint32_t>> checked;
    for (const XlsCell& cell : cells_) {
        if (cell.sheet == index)
            checked.emplace(cell.row, cell.column);
    }
    SheetBuilder builder;
    for (unsigned int row = 0; row < rows; ++row) {
        for (unsigned short column = 0; column < columns; ++column) {
            FreeXL_CellValue value{};
            if (!checked.count({row, column}) &&
                freexl_get_cell_value(handle_, row, column, &value) == FREEXL_OK)
                builder.add(row, column, toCell(value));
        }
    }
    for (const XlsCell& cell : cells_) {
        if (cell.sheet == index)
            builder.add(cell.row, cell.column, cell.cell);
    }
    return builder.build();
}

} // namespace quorbel
