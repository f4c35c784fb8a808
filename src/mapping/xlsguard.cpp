#include "mapping/xlsguard.h"

#include "mapping/workbookmessages.h"
#include "mapping/workbookreader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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

    std::string stream(std::uint32_t start, std::uint32_t size) const {
        std::string data = chain(start, fat_, sectorSize_,
                                 [&](std::uint32_t sector) { return sectorData(sector); });
        if (data.size() < size)
            damaged();
        data.resize(size);
        return data;
    }

    std::string miniStream(std::uint32_t start, std::uint32_t size, const std::string& mini) const {
        const std::vector<std::uint32_t> miniFat =
            asIds(stream(u32(file_, 0x3C), u32(file_, 0x40) * sectorSize_));
        std::string data = chain(start, miniFat, 64, [&](std::uint32_t sector) {
            if ((static_cast<size_t>(sector) + 1) * 64 > mini.size())
                damaged();
            return std::string_view(mini).substr(static_cast<size_t>(sector) * 64, 64);
        });
        if (data.size() < size)
            damaged();
        data.resize(size);
        return data;
    }

    std::string directory() const { return chainWhole(u32(file_, 0x30)); }

private:
    std::string_view sectorData(std::uint32_t sector) const {
        const size_t offset = (static_cast<size_t>(sector) + 1) * sectorSize_;
        if (sector >= endOfChain - 5 || offset + sectorSize_ > file_.size())
            damaged();
        return file_.substr(offset, sectorSize_);
    }

    std::string chainWhole(std::uint32_t start) const {
        return chain(start, fat_, sectorSize_, [&](std::uint32_t s) { return sectorData(s); });
    }

    template <typename Read>
    static std::string chain(std::uint32_t start, const std::vector<std::uint32_t>& table,
                             std::uint32_t unit, Read read) {
        std::string data;
        size_t steps = 0;
        for (std::uint32_t sector = start; sector != endOfChain;) {
            if (sector >= table.size() || ++steps > table.size())
                damaged(); // leaves the table or loops
            data.append(read(sector));
            sector = table[sector];
        }
        (void)unit;
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

std::string workbookStream(std::string_view file) {
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

// The BIFF records FreeXL reads, each checked against its own length.
class BiffCheck {
public:
    explicit BiffCheck(std::string_view stream) : stream_(stream) {}

    void run() {
        size_t at = 0;
        bool first = true;
        while (at + 4 <= stream_.size()) {
            const std::uint32_t type = u16(stream_, at);
            const std::uint32_t size = u16(stream_, at + 2);
            if (size > maxRecordSize || at + 4 + size > stream_.size())
                damaged();
            record_ = stream_.substr(at + 4, size);
            if (first)
                checkFirstBof(type);
            first = false;
            if (type != 0x003C)
                sstOpen_ = false;
            checkRecord(type);
            at += 4 + size;
        }
        closeSubstream();
    }

private:
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
        switch (type) {
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
            break;
        case 0x041E: // FORMAT
            if (biff8_) {
                checkUnicode(2, 2);
            } else {
                need(4);
                need(3 + static_cast<unsigned char>(record_[2]));
                need(3 + static_cast<unsigned char>(record_[3]));
            }
            if (hasDateLetter(record_.substr(2)))
                dateFormats_.push_back(u16(record_, 0));
            break;
        case 0x00E0: // XF
            need(4);
            xfFormats_.push_back(u16(record_, 2));
            break;
        case 0x0042: // CODEPAGE
        case 0x0022: // DATEMODE
            need(2);
            break;
        case 0x0200: // DIMENSION
            checkDimension();
            break;
        case 0x0203: // NUMBER
            checkCell(14);
            checkDateValue(u16(record_, 4), number(6));
            break;
        case 0x027E: // RK
            checkCell(10);
            checkDateValue(u16(record_, 4), rkValue(u32(record_, 6)));
            break;
        case 0x0205: // BOOLERR
            checkCell(8);
            break;
        case 0x00BD: // MULRK
            checkCell(6);
            if (u16(record_, 2) + (record_.size() - 6) / 6 > 256)
                damaged();
            noteCell(u16(record_, 0), u16(record_, 2) + (record_.size() - 6) / 6);
            for (size_t at = 4; at + 6 <= record_.size() - 2; at += 6)
                checkDateValue(u16(record_, at), rkValue(u32(record_, at + 2)));
            break;
        case 0x0204: // LABEL
            checkCell(8);
            if (biff8_)
                checkUnicode(6, 2);
            else
                need(8 + u16(record_, 6));
            break;
        case 0x00FD: // LABELSST
            checkCell(10);
            if (u32(record_, 6) >= sstStrings_)
                damaged();
            break;
        case 0x00FC: // SST
            startSst();
            break;
        case 0x003C: // CONTINUE
            if (sstOpen_)
                continueSst();
            break;
        default:
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
        extent_ = std::max(extent_, rows * columns);
    }

    // Without a DIMENSION record FreeXL sizes a sheet by its farthest cell.
    void noteCell(std::uint64_t row, std::uint64_t lastColumn) {
        maxRow_ = std::max(maxRow_, row + 1);
        maxColumn_ = std::max(maxColumn_, lastColumn + 1);
    }

    // At the end of each substream its extent counts against the budget.
    void closeSubstream() {
        claimedCells_ += std::max(extent_, maxRow_ * maxColumn_);
        extent_ = maxRow_ = maxColumn_ = 0;
        if (claimedCells_ > 4'000'000 + 64 * static_cast<std::uint64_t>(stream_.size()))
            throw WorkbookError(workbookmessages::TooLarge);
    }

    // The shared string table: every string must be complete within its SST
    // and CONTINUE records, and its count must match what was announced.
    void startSst() {
        // FreeXL reads a second SST as the continuation of the first.
        if (sstSeen_)
            damaged();
        sstSeen_ = true;
        need(8);
        sstAnnounced_ = u32(record_, 4);
        if (sstAnnounced_ > 1u << 24)
            damaged();
        sstStrings_ = 0;
        sstOpen_ = true;
        pendingChars_ = 0;
        pendingSkip_ = 0;
        parseSstRun(8);
    }

    void continueSst() {
        size_t at = 0;
        if (pendingChars_ > 0) {
            need(1);
            const bool wide = record_[0] & 0x01;
            at = 1;
            const size_t available = (record_.size() - at) / (wide ? 2 : 1);
            // FreeXL copies the whole rest of a split string from the next
            // record, so it must end there.
            if (available < pendingChars_)
                damaged();
            at += pendingChars_ * (wide ? 2 : 1);
            pendingChars_ = 0;
        }
        // FreeXL steps over rich-text runs and phonetic data without checking
        // them against the record, so they must end inside it.
        if (pendingSkip_ > record_.size() - at)
            damaged();
        at += pendingSkip_;
        pendingSkip_ = 0;
        parseSstRun(at);
    }

    void parseSstRun(size_t at) {
        while (at < record_.size() && sstStrings_ < sstAnnounced_) {
            if (at + 3 > record_.size())
                damaged(); // a string header never spans records
            const std::uint32_t chars = u16(record_, at);
            const auto options = static_cast<unsigned char>(record_[at + 2]);
            if (options & ~0x0Du)
                damaged();
            at += 3;
            size_t skip = 0;
            if (options & 0x08) {
                need(at + 2);
                skip += 4u * u16(record_, at);
                at += 2;
            }
            if (options & 0x04) {
                need(at + 4);
                skip += u32(record_, at);
                at += 4;
            }
            ++sstStrings_;
            const size_t width = (options & 0x01) ? 2 : 1;
            const size_t available = (record_.size() - std::min(at, record_.size())) / width;
            if (available < chars) {
                pendingChars_ = chars - available;
                pendingSkip_ = skip;
                return;
            }
            at += chars * width;
            if (skip > record_.size() - at)
                damaged();
            at += skip;
        }
    }

    std::string_view stream_;
    std::string_view record_;
    bool biff8_ = true;
    bool sstOpen_ = false;
    bool sstSeen_ = false;
    std::uint64_t claimedCells_ = 0;
    std::uint64_t extent_ = 0;
    std::uint64_t maxRow_ = 0;
    std::uint64_t maxColumn_ = 0;
    std::uint32_t sstAnnounced_ = 0;
    std::uint32_t sstStrings_ = 0;
    size_t pendingChars_ = 0;
    size_t pendingSkip_ = 0;
    std::vector<std::uint32_t> xfFormats_;
    std::vector<std::uint32_t> dateFormats_;
};

} // namespace

void checkXlsFile(std::string_view file) {
    const std::string stream = workbookStream(file);
    BiffCheck(stream).run();
}

} // namespace quorbel
