// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/xlsguard.h"

#include "global/utf8encode.h"
#include "mapping/dateformat.h"
#include "mapping/workbookmessages.h"
#include "mapping/workbookreader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorbel {
namespace {

constexpr std::uint32_t endOfChain = 0xFFFFFFFE;
constexpr std::uint32_t headerSize = 512;
constexpr std::uint32_t directoryEntrySize = 128;
constexpr std::uint32_t maxRecordSize = 8224;
constexpr double maxDateSerial = 2958466; // 10000-01-01

[[noreturn]] void damaged() {
    throw WorkbookError(workbookmessages::Damaged);
}

std::uint32_t u16(std::string_view data, size_t at) {
    if (at + 2 > data.size())
        damaged();
    return static_cast<unsigned char>(data[at]) | static_cast<unsigned char>(data[at + 1]) << 8;
}

std::uint32_t u32(std::string_view data, size_t at) {
    return u16(data, at) | u16(data, at + 2) << 16;
}

// The compound file ("OLE2") holding the workbook stream.
class CompoundFile {
public:
    explicit CompoundFile(std::string_view file) : file_(file) {
        if (file.size() < headerSize)
            damaged();
        const std::uint32_t shift = u16(file, 0x1E);
        if (shift != 9 && shift != 12)
            damaged();
        sectorSize_ = 1u << shift;
        if (u16(file, 0x20) != 6)
            damaged();
        readFat();
    }

    // A stream's bytes, and where each of its sectors (unit bytes long) lies
    // in the file, so single bytes can be patched in a copy of the file.
    struct Stream {
        std::string data;
        std::vector<size_t> unitOffsets;
        size_t unit = 512;

        size_t fileOffset(size_t at) const { return unitOffsets[at / unit] + at % unit; }
    };

    Stream stream(std::uint32_t start, std::uint32_t size) const {
        Stream result;
        result.unit = sectorSize_;
        result.data = chain(start, fat_, [&](std::uint32_t sector) {
            result.unitOffsets.push_back(sectorOffset(sector));
            return sectorData(sector);
        });
        if (result.data.size() < size)
            damaged();
        result.data.resize(size);
        return result;
    }

    Stream miniStream(std::uint32_t start, std::uint32_t size, const Stream& mini) const {
        const std::vector<std::uint32_t> miniFat =
            asIds(stream(u32(file_, 0x3C), u32(file_, 0x40) * sectorSize_).data);
        Stream result;
        result.unit = 64;
        result.data = chain(start, miniFat, [&](std::uint32_t sector) {
            const size_t at = static_cast<size_t>(sector) * 64;
            if (at + 64 > mini.data.size())
                damaged();
            result.unitOffsets.push_back(mini.fileOffset(at));
            return std::string_view(mini.data).substr(at, 64);
        });
        if (result.data.size() < size)
            damaged();
        result.data.resize(size);
        return result;
    }

    std::string directory() const { return chainWhole(u32(file_, 0x30)); }

private:
    size_t sectorOffset(std::uint32_t sector) const {
        const size_t offset = (static_cast<size_t>(sector) + 1) * sectorSize_;
        if (sector >= endOfChain - 5 || offset + sectorSize_ > file_.size())
            damaged();
        return offset;
    }

    std::string_view sectorData(std::uint32_t sector) const {
        return file_.substr(sectorOffset(sector), sectorSize_);
    }

    std::string chainWhole(std::uint32_t start) const {
        return chain(start, fat_, [&](std::uint32_t s) { return sectorData(s); });
    }

    template <typename Read>
    static std::string chain(std::uint32_t start, const std::vector<std::uint32_t>& table,
                             Read read) {
        std::string data;
        size_t steps = 0;
        for (std::uint32_t sector = start; sector != endOfChain;) {
            if (sector >= table.size() || ++steps > table.size())
                damaged(); // leaves the table or loops
            data.append(read(sector));
            sector = table[sector];
        }
        return data;
    }

    static std::vector<std::uint32_t> asIds(std::string_view data) {
        std::vector<std::uint32_t> ids(data.size() / 4);
        for (size_t i = 0; i < ids.size(); ++i)
            ids[i] = u32(data, i * 4);
        return ids;
    }

    void readFat() {
        const std::uint32_t fatCount = u32(file_, 0x2C);
        const size_t maxSectors = file_.size() / sectorSize_;
        if (fatCount > maxSectors)
            damaged();
        std::vector<std::uint32_t> fatSectors;
        for (std::uint32_t i = 0; i < 109 && fatSectors.size() < fatCount; ++i)
            fatSectors.push_back(u32(file_, 0x4C + i * 4));
        std::uint32_t difat = u32(file_, 0x44);
        for (size_t steps = 0; fatSectors.size() < fatCount; ++steps) {
            if (steps > maxSectors)
                damaged();
            const std::string_view block = sectorData(difat);
            for (std::uint32_t i = 0; i + 1 < sectorSize_ / 4 && fatSectors.size() < fatCount; ++i)
                fatSectors.push_back(u32(block, i * 4));
            difat = u32(block, sectorSize_ - 4);
        }
        std::string fat;
        for (const std::uint32_t sector : fatSectors)
            fat.append(sectorData(sector));
        fat_ = asIds(fat);
    }

    std::string_view file_;
    std::uint32_t sectorSize_ = 512;
    std::vector<std::uint32_t> fat_;
};

struct DirectoryEntry {
    std::string name; // ASCII part of the UTF-16 name, lower case
    unsigned type = 0;
    std::uint32_t start = 0;
    std::uint32_t size = 0;
};

std::vector<DirectoryEntry> entries(std::string_view directory) {
    std::vector<DirectoryEntry> result;
    for (size_t at = 0; at + directoryEntrySize <= directory.size(); at += directoryEntrySize) {
        DirectoryEntry entry;
        // FreeXL converts a name by the length its entry claims.
        const std::uint32_t length = u16(directory, at + 0x40);
        if (length > 64)
            damaged();
        for (std::uint32_t i = 0; i + 2 < length && i < 62; i += 2) {
            const auto c = static_cast<char>(directory[at + i]);
            entry.name += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        }
        entry.type = static_cast<unsigned char>(directory[at + 0x42]);
        entry.start = u32(directory, at + 0x74);
        entry.size = u32(directory, at + 0x78);
        result.push_back(entry);
    }
    return result;
}

CompoundFile::Stream workbookStream(std::string_view file) {
    const CompoundFile compound(file);
    const std::vector<DirectoryEntry> all = entries(compound.directory());
    const DirectoryEntry* root = nullptr;
    const DirectoryEntry* book = nullptr;
    for (const DirectoryEntry& entry : all) {
        if (entry.type == 5 && !root)
            root = &entry;
        if (entry.type == 2 && entry.name == "encryptedpackage")
            throw WorkbookError(workbookmessages::Encrypted);
        if (entry.type == 2 && !book && (entry.name == "workbook" || entry.name == "book"))
            book = &entry;
    }
    if (!root || !book)
        throw WorkbookError(workbookmessages::NotAWorkbook);
    if (book->size >= u32(file, 0x38))
        return compound.stream(book->start, book->size);
    return compound.miniStream(book->start, book->size, compound.stream(root->start, root->size));
}

// Text that runs from one record on through the CONTINUE records after it.
// Inside a string's characters every CONTINUE starts with its own option byte,
// so a string may switch between 8-bit and 16-bit characters there; headers,
// formatting runs and phonetic data run on without one. Writers split wherever
// a record fills up, so every field may straddle a record end.
class ContinuedReader {
public:
    explicit ContinuedReader(const std::vector<std::string_view>& parts) : parts_(parts) {}

    bool atEnd() {
        skipFinishedParts();
        return part_ >= parts_.size();
    }

    std::uint32_t byte() {
        skipFinishedParts();
        if (part_ >= parts_.size())
            damaged();
        return static_cast<unsigned char>(parts_[part_][at_++]);
    }

    std::uint32_t word() {
        const std::uint32_t low = byte();
        return low | byte() << 8;
    }

    std::uint32_t dword() {
        const std::uint32_t low = word();
        return low | word() << 16;
    }

    void skip(std::uint64_t bytes) {
        while (bytes > 0) {
            skipFinishedParts();
            if (part_ >= parts_.size())
                damaged();
            const size_t step =
                static_cast<size_t>(std::min<std::uint64_t>(bytes, parts_[part_].size() - at_));
            at_ += step;
            bytes -= step;
        }
    }

    // count characters as UTF-8; wide: 16-bit characters where they start.
    std::string characters(size_t count, bool wide) {
        std::u16string units;
        while (count > 0) {
            if (part_ >= parts_.size() || at_ == parts_[part_].size())
                wide = nextPartOptions() & 0x01;
            const size_t width = wide ? 2 : 1;
            const size_t fits = std::min(count, (parts_[part_].size() - at_) / width);
            if (fits == 0)
                damaged(); // half a character before the record end
            for (size_t i = 0; i < fits; ++i) {
                const std::string_view part = parts_[part_];
                const auto low = static_cast<unsigned char>(part[at_]);
                units += static_cast<char16_t>(
                    wide ? low | static_cast<unsigned char>(part[at_ + 1]) << 8 : low);
                at_ += width;
            }
            count -= fits;
        }
        return toUtf8(units);
    }

private:
    void skipFinishedParts() {
        while (part_ < parts_.size() && at_ == parts_[part_].size()) {
            ++part_;
            at_ = 0;
        }
    }

    std::uint32_t nextPartOptions() {
        do {
            ++part_;
            at_ = 0;
        } while (part_ < parts_.size() && parts_[part_].empty());
        if (part_ >= parts_.size())
            damaged();
        return static_cast<unsigned char>(parts_[part_][at_++]);
    }

    // A lone surrogate becomes U+FFFD, so every name stays valid UTF-8.
    static std::string toUtf8(const std::u16string& units) {
        std::string out;
        out.reserve(units.size());
        for (size_t i = 0; i < units.size(); ++i) {
            const std::uint32_t unit = units[i];
            if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                units[i + 1] < 0xE000) {
                appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
                ++i;
            } else {
                appendUtf8(out, unit);
            }
        }
        return out;
    }

    const std::vector<std::string_view>& parts_;
    size_t part_ = 0;
    size_t at_ = 0;
};

// 8-bit text in a Windows code page (CODEPAGE record) as UTF-8; what the
// system cannot convert becomes "?".
class CodepageConverter {
public:
    explicit CodepageConverter(std::uint32_t codepage) {
        const std::string from = codepage == 10000 ? "MACINTOSH"
                                 : codepage == 1200 || codepage == 0
                                     ? "CP1252"
                                     : "CP" + std::to_string(codepage);
        converter_ = iconv_open("UTF-8", from.c_str());
    }
    ~CodepageConverter() {
        if (converter_ != invalid())
            iconv_close(converter_);
    }
    CodepageConverter(const CodepageConverter&) = delete;
    CodepageConverter& operator=(const CodepageConverter&) = delete;

    std::string toUtf8(std::string_view bytes) const {
        std::string out(bytes.size() * 4, '\0');
        if (converter_ != invalid()) {
            std::string in(bytes);
            char* inAt = in.data();
            size_t inLeft = in.size();
            char* outAt = out.data();
            size_t outLeft = out.size();
            iconv(converter_, nullptr, nullptr, nullptr, nullptr);
            if (iconv(converter_, &inAt, &inLeft, &outAt, &outLeft) != static_cast<size_t>(-1)) {
                out.resize(out.size() - outLeft);
                return out;
            }
        }
        out.clear();
        for (const char c : bytes)
            out += (c & 0x80) == 0 ? c : '?';
        return out;
    }

private:
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }
    iconv_t converter_;
};

enum class NumberKind { Number, Date, Boolean };

// The BIFF records FreeXL reads, each checked against its own length, and the
// values FreeXL does not read (or reads wrongly) taken out on the way.
class BiffCheck {
public:
    BiffCheck(std::string_view stream, bool everything)
        : stream_(stream), everything_(everything) {}

    void run() {
        size_t at = 0;
        bool first = true;
        while (at + 4 <= stream_.size()) {
            const std::uint32_t type = u16(stream_, at);
            const std::uint32_t size = u16(stream_, at + 2);
            if (size > maxRecordSize || at + 4 + size > stream_.size())
                damaged();
            record_ = stream_.substr(at + 4, size);
            recordAt_ = at;
            if (first)
                checkFirstBof(type);
            first = false;
            if (type == 0x003C && continued_ != Continued::None)
                continueRecord();
            else
                checkRecord(type);
            at += 4 + size;
        }
        finishContinued();
        closeSubstream();
        // FreeXL leaks the cells of a sheet whose substream is not where its
        // BOUNDSHEET record says; no writer saves such a file.
        if (openedSheets_ != sheetPositions_.size())
            damaged();
    }

    // Where the records FreeXL must not see start in the stream.
    const std::vector<size_t>& hiddenRecords() const { return hidden_; }
    std::vector<XlsCell>& cells() { return cells_; }
    std::vector<XlsSheet>& worksheets() { return worksheets_; }
    bool freexlFails() const { return freexlFails_; }

private:
    enum class Continued { None, Sst, String };

    void need(size_t bytes) const {
        if (record_.size() < bytes)
            damaged();
    }

    void checkFirstBof(std::uint32_t type) {
        if (type != 0x0809)
            throw WorkbookError(workbookmessages::NotAWorkbook);
        need(4);
        const std::uint32_t version = u16(record_, 0);
        if (version != 0x0600 && version != 0x0500)
            throw WorkbookError(workbookmessages::NotAWorkbook);
        biff8_ = version == 0x0600;
    }

    // An unformatted string: 16-bit length (BIFF8 LABEL, FORMAT) or 8-bit, then
    // the option byte with its optional rich-text and extension fields.
    void checkUnicode(size_t lengthAt, size_t lengthBytes) const {
        need(lengthAt + lengthBytes + 1);
        const std::uint32_t length = lengthBytes == 2
                                         ? u16(record_, lengthAt)
                                         : static_cast<unsigned char>(record_[lengthAt]);
        const auto options = static_cast<unsigned char>(record_[lengthAt + lengthBytes]);
        size_t at = lengthAt + lengthBytes + 1;
        if (options & 0x08)
            at += 2;
        if (options & 0x04)
            at += 4;
        need(at + length * ((options & 0x01) ? 2u : 1u));
    }

    void checkCell(size_t size) {
        need(size);
        if (u16(record_, 2) >= 256)
            damaged();
        noteCell(u16(record_, 0), u16(record_, 2));
    }

    void checkRecord(std::uint32_t type) {
        finishContinued();
        switch (type) {
        case 0x0809: // BOF
            openSubstream();
            break;
        case 0x000A: // EOF
            closeSubstream();
            break;
        case 0x002F: // FILEPASS
            throw WorkbookError(workbookmessages::Encrypted);
        case 0x0085: // BOUNDSHEET
            if (biff8_)
                checkUnicode(6, 1);
            else
                need(7 + (record_.size() > 6 ? static_cast<unsigned char>(record_[6]) : 255u));
            noteSheet();
            sheetPositions_.push_back(u32(record_, 0));
            break;
        case 0x041E: // FORMAT
            checkFormat();
            break;
        case 0x00E0: // XF
            need(4);
            xfFormats_.push_back(u16(record_, 2));
            break;
        case 0x0022: // DATEMODE
            need(2);
            if (sheets_.size() <= 1)
                dateShift_ = u16(record_, 0) == 1 ? 1462 : 0;
            break;
        case 0x0042: // CODEPAGE
            need(2);
            codepage_ = u16(record_, 0);
            break;
        case 0x0200: // DIMENSION
            checkDimension();
            break;
        default:
            checkCellRecord(type);
            break;
        }
    }

    void checkCellRecord(std::uint32_t type) {
        switch (type) {
        case 0x0203: // NUMBER
            checkCell(14);
            checkDateValue(u16(record_, 4), number(6));
            noteNumber(u16(record_, 2), u16(record_, 4), number(6), false);
            break;
        case 0x027E: // RK
            checkCell(10);
            checkDateValue(u16(record_, 4), rkValue(u32(record_, 6)));
            noteNumber(u16(record_, 2), u16(record_, 4), rkValue(u32(record_, 6)), false);
            break;
        case 0x0205: // BOOLERR
            checkCell(8);
            noteBoolErr();
            break;
        case 0x00BD: // MULRK
            checkMulRk();
            break;
        case 0x0204: // LABEL
        case 0x00D6: // RSTRING, a LABEL with formatting runs after its text
            checkCell(8);
            if (biff8_)
                checkUnicode(6, 2);
            else
                need(8 + u16(record_, 6));
            if (everything_)
                noteText(unicodeAt(6, 2));
            break;
        case 0x00FD: // LABELSST
            checkCell(10);
            if (u32(record_, 6) >= strings_.size())
                damaged();
            hidden_.push_back(recordAt_);
            noteText(strings_[u32(record_, 6)]);
            break;
        case 0x0006: // FORMULA
            checkCell(20);
            noteFormula();
            break;
        case 0x0207: // STRING, the text result of the formula before it
            startContinued(Continued::String);
            break;
        case 0x00FC: // SST
            startSst();
            break;
        default:
            break;
        }
    }

    void checkMulRk() {
        checkCell(6);
        if (u16(record_, 2) + (record_.size() - 6) / 6 > 256)
            damaged();
        if (record_.size() >= 12)
            noteCell(u16(record_, 0), u16(record_, 2) + (record_.size() - 6) / 6 - 1);
        std::uint32_t column = u16(record_, 2);
        for (size_t at = 4; at + 6 <= record_.size() - 2; at += 6, ++column) {
            checkDateValue(u16(record_, at), rkValue(u32(record_, at + 2)));
            noteNumber(column, u16(record_, at), rkValue(u32(record_, at + 2)), false);
        }
    }

    void checkFormat() {
        std::string code;
        if (biff8_) {
            checkUnicode(2, 2);
            const std::vector<std::string_view> parts{record_.substr(5)};
            code = ContinuedReader(parts).characters(u16(record_, 2), record_[4] & 0x01);
        } else {
            need(4);
            need(3 + static_cast<unsigned char>(record_[2]));
            need(3 + static_cast<unsigned char>(record_[3]));
            code = std::string(record_.substr(3, static_cast<unsigned char>(record_[2])));
        }
        if (hasDateLetter(record_.substr(2)))
            dateFormats_.push_back(u16(record_, 0));
        const std::uint32_t id = u16(record_, 0);
        if (isBooleanFormatCode(code))
            formatKinds_.emplace_back(id, NumberKind::Boolean);
        else if (isDateFormatCode(code))
            formatKinds_.emplace_back(id, NumberKind::Date);
        else
            formatKinds_.emplace_back(id, NumberKind::Number);
    }

    NumberKind kindOf(std::uint32_t xf) const {
        if (xf >= xfFormats_.size())
            return NumberKind::Number;
        const std::uint32_t format = xfFormats_[xf];
        for (auto it = formatKinds_.rbegin(); it != formatKinds_.rend(); ++it) {
            if (it->first == format)
                return it->second;
        }
        return isBuiltinDateFormat(format) ? NumberKind::Date : NumberKind::Number;
    }

    // Cells of the worksheet whose records are being read; none elsewhere.
    void note(std::uint32_t column, SheetCell cell) {
        if (sheets_.empty() || sheets_.back() < 0)
            return;
        cells_.push_back(
            {static_cast<std::uint32_t>(sheets_.back()), u16(record_, 0), column, std::move(cell)});
    }

    // Every cell gets its own copy of a shared string; a damaged file could
    // point a million cells at one long string.
    void noteText(const std::string& text) {
        copiedText_ += text.size();
        if (copiedText_ > 64'000'000 + 16 * static_cast<std::uint64_t>(stream_.size()))
            throw WorkbookError(workbookmessages::TooLarge);
        note(u16(record_, 2), {SheetCell::Type::Text, text, 0});
    }

    // FreeXL reads numbers itself; only those it would misread are noted
    // (booleans stored as numbers), unless a formula left the number or
    // everything is read.
    void noteNumber(std::uint32_t column, std::uint32_t xf, double value, bool formula) {
        formula = formula || everything_;
        switch (kindOf(xf)) {
        case NumberKind::Boolean:
            note(column, {SheetCell::Type::Boolean, {}, value != 0 ? 1.0 : 0.0});
            break;
        case NumberKind::Date:
            if (formula)
                note(column, {SheetCell::Type::Date, {}, value + dateShift_});
            break;
        case NumberKind::Number:
            if (formula)
                note(column, {SheetCell::Type::Number, {}, value});
            break;
        }
    }

    // A worksheet's name; charts, macro sheets and modules hold no cells here.
    void noteSheet() {
        need(6);
        const auto type = static_cast<unsigned char>(record_[5]);
        std::string name;
        if (biff8_)
            name = unicodeAt(6, 1);
        else
            name = codepageText(record_.substr(7, static_cast<unsigned char>(record_[6])));
        if (type == 0)
            worksheets_.push_back(
                {std::move(name), static_cast<std::uint32_t>(sheetPositions_.size())});
    }

    // An unformatted string checked by checkUnicode (BIFF8), or a BIFF5 text
    // with a 16-bit length in the workbook's code page.
    std::string unicodeAt(size_t lengthAt, size_t lengthBytes) const {
        if (!biff8_) {
            need(lengthAt + 2);
            const std::uint32_t length = u16(record_, lengthAt);
            need(lengthAt + 2 + length);
            return codepageText(record_.substr(lengthAt + 2, length));
        }
        const std::uint32_t length = lengthBytes == 2
                                         ? u16(record_, lengthAt)
                                         : static_cast<unsigned char>(record_[lengthAt]);
        const auto options = static_cast<unsigned char>(record_[lengthAt + lengthBytes]);
        size_t at = lengthAt + lengthBytes + 1;
        if (options & 0x08)
            at += 2;
        if (options & 0x04)
            at += 4;
        const std::vector<std::string_view> parts{record_.substr(at)};
        return ContinuedReader(parts).characters(length, options & 0x01);
    }

    // 8-bit text of a BIFF5 workbook in its code page (CODEPAGE record;
    // Windows Latin 1 without one).
    std::string codepageText(std::string_view bytes) const {
        if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; }))
            return std::string(bytes);
        if (!converter_)
            converter_ = std::make_unique<CodepageConverter>(codepage_);
        return converter_->toUtf8(bytes);
    }

    // The text Excel shows for an error code; nothing for a code no
    // version of Excel writes.
    static SheetCell errorCell(std::uint32_t code) {
        switch (code) {
        case 0x00:
            return {SheetCell::Type::Text, "#NULL!", 0};
        case 0x07:
            return {SheetCell::Type::Text, "#DIV/0!", 0};
        case 0x0F:
            return {SheetCell::Type::Text, "#VALUE!", 0};
        case 0x17:
            return {SheetCell::Type::Text, "#REF!", 0};
        case 0x1D:
            return {SheetCell::Type::Text, "#NAME?", 0};
        case 0x24:
            return {SheetCell::Type::Text, "#NUM!", 0};
        case 0x2A:
            return {SheetCell::Type::Text, "#N/A", 0};
        case 0x2B:
            return {SheetCell::Type::Text, "#GETTING_DATA", 0};
        default:
            return {};
        }
    }

    // FreeXL reads a boolean as the number 1 or 0, and an error as 1.
    void noteBoolErr() {
        const auto value = static_cast<unsigned char>(record_[6]);
        if (record_[7] != 0)
            note(u16(record_, 2), errorCell(value));
        else
            note(u16(record_, 2), {SheetCell::Type::Boolean, {}, value != 0 ? 1.0 : 0.0});
    }

    // The cached result: a number, or marked by 0xFFFF in its last two bytes
    // a text (in the STRING record that follows), a boolean, an error or
    // an empty text. FreeXL skips formulas altogether.
    void noteFormula() {
        const std::uint32_t column = u16(record_, 2);
        pendingText_.reset();
        if (u16(record_, 12) != 0xFFFF) {
            noteNumber(column, u16(record_, 4), number(6), true);
            return;
        }
        switch (static_cast<unsigned char>(record_[6])) {
        case 0: {
            const size_t before = cells_.size();
            note(column, {});
            if (cells_.size() > before)
                pendingText_ = before;
            break;
        }
        case 1:
            note(column, {SheetCell::Type::Boolean, {}, record_[8] != 0 ? 1.0 : 0.0});
            break;
        case 2:
            note(column, errorCell(static_cast<unsigned char>(record_[8])));
            break;
        default:
            note(column, {});
            break;
        }
    }

    double number(size_t at) const {
        need(at + 8);
        std::uint64_t bits = 0;
        for (size_t i = 0; i < 8; ++i)
            bits |= static_cast<std::uint64_t>(static_cast<unsigned char>(record_[at + i]))
                    << (8 * i);
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    static double rkValue(std::uint32_t rk) {
        double value = 0;
        if (rk & 0x02) {
            value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
        } else {
            const std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32;
            std::memcpy(&value, &bits, sizeof value);
        }
        return (rk & 0x01) ? value / 100 : value;
    }

    // FreeXL turns a date into text by stepping one day at a time from 1900,
    // so a date-formatted cell far beyond the year 9999 would stall it for
    // seconds per cell; no spreadsheet program can show such a date anyway.
    void checkDateValue(std::uint32_t xf, double value) const {
        if (!(value >= maxDateSerial) || xf >= xfFormats_.size())
            return;
        const std::uint32_t format = xfFormats_[xf];
        const bool builtinDate = (format >= 14 && format <= 22) || (format >= 45 && format <= 47);
        if (builtinDate ||
            std::find(dateFormats_.begin(), dateFormats_.end(), format) != dateFormats_.end())
            damaged();
    }

    // Any date or time letter at all, even quoted: erring towards "date" only
    // makes the value check above apply more often.
    static bool hasDateLetter(std::string_view code) {
        return code.find_first_of("yYmMdDhHsS") != std::string_view::npos;
    }

    // FreeXL allocates a cell for every place of every sheet's claimed extent
    // (16 bytes each), whatever the sheet holds. The claims of all sheets
    // together may cover 4 million places plus 64 per byte of the workbook
    // stream: far more than the cells a real file of that size holds, and
    // far less than the 268 MB a single damaged sheet could claim.
    void checkDimension() {
        std::uint64_t rows = 0;
        std::uint64_t columns = 0;
        if (biff8_) {
            need(14);
            rows = u32(record_, 4);
            columns = u16(record_, 10);
        } else {
            need(10);
            rows = u16(record_, 2);
            columns = u16(record_, 6);
        }
        if (rows > (biff8_ ? 65536u : 16384u) || columns > 256)
            damaged();
        // Every claim counts: FreeXL allocates anew for each one.
        extent_ += rows * columns;
        dimensioned_ = true;
        dimensionRows_ = std::max(dimensionRows_, rows);
        dimensionColumns_ = std::max(dimensionColumns_, columns);
    }

    // Without a DIMENSION record FreeXL sizes a sheet by its farthest cell.
    void noteCell(std::uint64_t row, std::uint64_t lastColumn) {
        maxRow_ = std::max(maxRow_, row + 1);
        maxColumn_ = std::max(maxColumn_, lastColumn + 1);
    }

    // A worksheet's substream starts where its BOUNDSHEET record says; other
    // substreams (charts, also those inside a worksheet) hold no cells here.
    void openSubstream() {
        const auto found = std::find(sheetPositions_.begin(), sheetPositions_.end(), recordAt_);
        // A sheet starting inside another sheet's substream means that one
        // lost its EOF record; FreeXL leaks what it read of it.
        if (found != sheetPositions_.end() && recordAt_ != 0 &&
            std::any_of(sheets_.begin(), sheets_.end(), [](std::int64_t s) { return s >= 0; }))
            damaged();
        if (found != sheetPositions_.end() && recordAt_ != 0)
            ++openedSheets_;
        sheets_.push_back(found == sheetPositions_.end() || recordAt_ == 0
                              ? -1
                              : static_cast<std::int64_t>(found - sheetPositions_.begin()));
    }

    // At the end of each substream its extent counts against the budget.
    // FreeXL cannot read a worksheet without a DIMENSION record or with cells
    // beyond it (it opens the file, then has no sheets, and leaks); other
    // readers take the cells as they are.
    void closeSubstream() {
        if (!sheets_.empty() && sheets_.back() >= 0 &&
            (!dimensioned_ || maxRow_ > dimensionRows_ || maxColumn_ > dimensionColumns_))
            freexlFails_ = true;
        dimensioned_ = false;
        dimensionRows_ = dimensionColumns_ = 0;
        if (!sheets_.empty())
            sheets_.pop_back();
        claimedCells_ += std::max(extent_, maxRow_ * maxColumn_);
        extent_ = maxRow_ = maxColumn_ = 0;
        if (claimedCells_ > 4'000'000 + 64 * static_cast<std::uint64_t>(stream_.size()))
            throw WorkbookError(workbookmessages::TooLarge);
    }

    // One shared string table per workbook; FreeXL would have read a second
    // one as the continuation of the first, and strings come from here now.
    void startSst() {
        if (sstSeen_)
            damaged();
        sstSeen_ = true;
        need(8);
        sstAnnounced_ = u32(record_, 4);
        startContinued(Continued::Sst);
    }

    void startContinued(Continued kind) {
        continued_ = kind;
        parts_.assign(1, record_);
        if (kind == Continued::Sst) {
            hidden_.push_back(recordAt_);
            parts_.front() = record_.substr(8);
        }
    }

    void continueRecord() {
        if (continued_ == Continued::Sst)
            hidden_.push_back(recordAt_);
        parts_.push_back(record_);
    }

    void finishContinued() {
        const Continued kind = continued_;
        continued_ = Continued::None;
        if (kind == Continued::Sst)
            readStrings();
        else if (kind == Continued::String)
            readFormulaText();
    }

    // The strings' memory follows the bytes they occupy, whatever count the
    // table announces.
    void readStrings() {
        ContinuedReader reader(parts_);
        for (std::uint32_t i = 0; i < sstAnnounced_ && !reader.atEnd(); ++i) {
            const std::uint32_t chars = reader.word();
            const std::uint32_t options = reader.byte();
            const std::uint64_t runs = (options & 0x08) ? reader.word() : 0;
            const std::uint64_t phonetic = (options & 0x04) ? reader.dword() : 0;
            strings_.push_back(reader.characters(chars, options & 0x01));
            reader.skip(4 * runs + phonetic);
        }
    }

    void readFormulaText() {
        if (!pendingText_)
            return;
        ContinuedReader reader(parts_);
        const std::uint32_t chars = reader.word();
        std::string text;
        if (biff8_) {
            const std::uint32_t options = reader.byte();
            text = reader.characters(chars, options & 0x01);
        } else {
            std::string bytes;
            for (std::uint32_t i = 0; i < chars; ++i)
                bytes += static_cast<char>(reader.byte());
            text = codepageText(bytes);
        }
        cells_[*pendingText_].cell = {SheetCell::Type::Text, std::move(text), 0};
        pendingText_.reset();
    }

    std::string_view stream_;
    std::string_view record_;
    size_t recordAt_ = 0;
    bool biff8_ = true;
    bool sstSeen_ = false;
    std::uint64_t claimedCells_ = 0;
    std::uint64_t copiedText_ = 0;
    size_t openedSheets_ = 0;
    std::uint64_t extent_ = 0;
    std::uint64_t maxRow_ = 0;
    std::uint64_t maxColumn_ = 0;
    bool dimensioned_ = false;
    std::uint64_t dimensionRows_ = 0;
    std::uint64_t dimensionColumns_ = 0;
    bool freexlFails_ = false;
    std::uint32_t sstAnnounced_ = 0;
    double dateShift_ = 0;
    Continued continued_ = Continued::None;
    std::vector<std::string_view> parts_;
    std::vector<std::string> strings_;
    std::vector<std::uint32_t> xfFormats_;
    std::vector<std::uint32_t> dateFormats_;
    std::vector<std::pair<std::uint32_t, NumberKind>> formatKinds_;
    std::vector<std::uint32_t> sheetPositions_;
    std::vector<std::int64_t> sheets_; // sheet index per open substream, -1: none
    std::vector<size_t> hidden_;
    std::vector<XlsCell> cells_;
    std::optional<size_t> pendingText_;
    bool everything_ = false;
    std::uint32_t codepage_ = 0;
    std::vector<XlsSheet> worksheets_;
    mutable std::unique_ptr<CodepageConverter> converter_; // opened once, when needed
};

// PASSWORD, a record FreeXL skips.
constexpr std::uint32_t skippedRecordType = 0x0013;

} // namespace

XlsCheck checkXlsFile(std::string_view file, bool everything) {
    const CompoundFile::Stream stream = workbookStream(file);
    BiffCheck check(stream.data, everything);
    check.run();
    XlsCheck result;
    if (!everything) {
        result.freexlFile = std::string(file);
        for (const size_t at : check.hiddenRecords()) {
            result.freexlFile[stream.fileOffset(at)] = static_cast<char>(skippedRecordType & 0xFF);
            result.freexlFile[stream.fileOffset(at + 1)] =
                static_cast<char>(skippedRecordType >> 8);
        }
    }
    result.cells = std::move(check.cells());
    result.sheets = std::move(check.worksheets());
    result.freexlFails = check.freexlFails();
    return result;
}

} // namespace quorbel
