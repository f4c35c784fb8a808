// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/xlswriter.h"

#include "export/compoundfile.h"
#include "export/exportblock.h"
#include "export/exporttext.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorbel {
namespace {

constexpr std::uint32_t maxRecordData = 8224;
constexpr std::uint16_t textCellXf = 16; // the cell format with number format "@"

enum Record : std::uint16_t {
    Eof = 0x000A,
    Continue = 0x003C,
    Codepage = 0x0042,
    Window1 = 0x003D,
    Font = 0x0031,
    ColInfo = 0x007D,
    BoundSheet = 0x0085,
    Xf = 0x00E0,
    Sst = 0x00FC,
    LabelSst = 0x00FD,
    ExtSst = 0x00FF,
    Dimension = 0x0200,
    Window2 = 0x023E,
    Style = 0x0293,
    Bof = 0x0809,
};

// Little-endian record data.
class Bytes {
public:
    Bytes& u8(std::uint32_t value) {
        data_ += static_cast<char>(value & 0xFF);
        return *this;
    }
    Bytes& u16(std::uint32_t value) { return u8(value).u8(value >> 8); }
    Bytes& u32(std::uint32_t value) { return u16(value & 0xFFFF).u16(value >> 16); }
    Bytes& raw(std::string_view bytes) {
        data_ += bytes;
        return *this;
    }
    const std::string& str() const { return data_; }

private:
    std::string data_;
};

std::string u32Bytes(std::uint32_t value) {
    return Bytes().u32(value).str();
}

class BiffStream {
public:
    explicit BiffStream(CompoundFileWriter& file) : file_(file) {}

    void record(std::uint16_t type, std::string_view data) {
        file_.append(Bytes().u16(type).u16(static_cast<std::uint32_t>(data.size())).str());
        file_.append(data);
    }
    // Records already framed with their type and size.
    void raw(std::string_view records) { file_.append(records); }
    std::uint64_t position() const { return file_.size(); }
    void patch(std::uint64_t at, std::string_view bytes) { file_.patch(at, bytes); }

private:
    CompoundFileWriter& file_;
};

// The cells in writing order with the shared-string index of each. A cell with
// the same text as the one above it shares its string: directories and
// extensions repeat down the list, and that saves most of the table without a
// hash of every string.
template <typename Visit> void forEachString(const ExportBlock& block, Visit visit) {
    std::array<std::uint32_t, ExportBlock::columnCount> above{};
    std::array<bool, ExportBlock::columnCount> hasAbove{};
    std::uint32_t next = 0;
    for (int row = 0; row < block.rowCount(); ++row) {
        for (int column = 0; column < ExportBlock::columnCount; ++column) {
            const std::string& text = block.text(row, column);
            if (text.empty()) {
                hasAbove[column] = false;
                continue;
            }
            const bool shared = hasAbove[column] && block.text(row - 1, column) == text;
            if (!shared)
                above[column] = next++;
            hasAbove[column] = true;
            visit(row, column, above[column], !shared);
        }
    }
}

// The shared string table: one SST record and as many CONTINUE records as its
// strings need, each at most 8224 bytes. A string's header never splits; its
// characters may, and the part in the next record starts with its own option
// byte. A surrogate pair is never cut in two.
class SstWriter {
public:
    explicit SstWriter(BiffStream& stream) : stream_(stream) {}

    void begin(std::uint32_t uniqueStrings) {
        bucketSize_ = std::max<std::uint32_t>(8, (uniqueStrings + 127) / 128);
        recordType_ = Sst;
        recordStart_ = stream_.position();
        countsAt_ = recordStart_ + 4;
        record_ = std::string(8, '\0');
    }

    void add(const std::string& text) {
        units_.clear();
        appendUtf16(text, units_);
        const bool wide = isWide(units_);
        const size_t width = wide ? 2 : 1;
        if (record_.size() + 3 + width > maxRecordData)
            startContinue();
        noteBucket();
        record_ += Bytes().u16(static_cast<std::uint32_t>(units_.size())).u8(wide ? 1 : 0).str();
        size_t at = 0;
        for (;;) {
            const size_t room = (maxRecordData - record_.size()) / width;
            size_t take = std::min(room, units_.size() - at);
            if (take < units_.size() - at && take > 0 && isHighSurrogate(units_[at + take - 1]))
                --take;
            appendUnits(at, take, wide);
            at += take;
            if (at == units_.size())
                return;
            startContinue();
            record_ += static_cast<char>(wide ? 1 : 0);
        }
    }

    void end(std::uint32_t totalCells, std::uint32_t uniqueStrings) {
        writeRecord();
        stream_.patch(countsAt_, Bytes().u32(totalCells).u32(uniqueStrings).str());
        Bytes extSst;
        extSst.u16(bucketSize_);
        for (const auto& [position, offset] : buckets_)
            extSst.u32(static_cast<std::uint32_t>(position)).u16(offset).u16(0);
        stream_.record(ExtSst, extSst.str());
    }

private:
    static bool isWide(const std::u16string& units) {
        for (const char16_t unit : units) {
            if (unit > 0xFF)
                return true;
        }
        return false;
    }
    static bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

    void appendUnits(size_t at, size_t count, bool wide) {
        for (size_t i = at; i < at + count; ++i) {
            record_ += static_cast<char>(units_[i] & 0xFF);
            if (wide)
                record_ += static_cast<char>(units_[i] >> 8);
        }
    }

    // Every bucketSize-th string's place, for readers that seek in the table.
    void noteBucket() {
        if (strings_++ % bucketSize_ != 0)
            return;
        const std::uint32_t offset = static_cast<std::uint32_t>(record_.size()) + 4;
        buckets_.emplace_back(recordStart_ + offset, offset);
    }

    void startContinue() {
        writeRecord();
        recordType_ = Continue;
        recordStart_ = stream_.position();
        record_.clear();
    }

    void writeRecord() { stream_.record(recordType_, record_); }

    BiffStream& stream_;
    std::string record_;
    std::u16string units_;
    std::uint16_t recordType_ = Sst;
    std::uint64_t recordStart_ = 0;
    std::uint64_t countsAt_ = 0;
    std::uint32_t bucketSize_ = 8;
    std::uint32_t strings_ = 0;
    std::vector<std::pair<std::uint64_t, std::uint16_t>> buckets_;
};

std::string bof(std::uint16_t substream) {
    return Bytes().u16(0x0600).u16(substream).u16(0x0DBB).u16(0x07CC).u32(0).u32(6).str();
}

std::string font() {
    // 10 points, normal weight, automatic colour, "Arial".
    return Bytes()
        .u16(200)
        .u16(0)
        .u16(0x7FFF)
        .u16(400)
        .u16(0)
        .u8(0)
        .u8(0)
        .u8(0)
        .u8(0)
        .u8(5)
        .u8(0)
        .raw("Arial")
        .str();
}

// Fifteen style formats, the default cell format and the text cell format.
std::string xf(std::uint16_t format, bool style, std::uint8_t usedAttributes) {
    return Bytes()
        .u16(0)
        .u16(format)
        .u16(style ? 0xFFF5 : 0x0001)
        .u8(0x20)
        .u8(0)
        .u8(0)
        .u8(usedAttributes)
        .u32(0)
        .u32(0)
        .u16(0x20C0)
        .str();
}

std::string boundSheet() {
    return Bytes().u32(0).u8(0).u8(0).u8(6).u8(0).raw("Sheet1").str();
}

std::string window1() {
    return Bytes()
        .u16(0)
        .u16(0)
        .u16(0x4000)
        .u16(0x2000)
        .u16(0x0038)
        .u16(0)
        .u16(0)
        .u16(1)
        .u16(0x0258)
        .str();
}

// Returns where the sheet's stream offset goes.
std::uint64_t writeGlobalsHead(BiffStream& stream) {
    stream.record(Bof, bof(0x0005));
    stream.record(Codepage, Bytes().u16(1200).str()); // UTF-16
    stream.record(Window1, window1());
    for (int i = 0; i < 4; ++i)
        stream.record(Font, font());
    for (int i = 0; i < 15; ++i)
        stream.record(Xf, xf(0, true, i == 0 ? 0 : 0xF4));
    stream.record(Xf, xf(0, false, 0));
    stream.record(Xf, xf(49, false, 0x04)); // "@": text, also for what users type later
    stream.record(Style, Bytes().u16(0x8000).u8(0).u8(0xFF).str());
    const std::uint64_t offsetAt = stream.position() + 4;
    stream.record(BoundSheet, boundSheet());
    return offsetAt;
}

void writeSharedStrings(BiffStream& stream, const ExportBlock& block) {
    std::uint32_t cells = 0, unique = 0;
    forEachString(block, [&](int, int, std::uint32_t, bool isNew) {
        ++cells;
        unique += isNew ? 1 : 0;
    });
    SstWriter sst(stream);
    sst.begin(unique);
    forEachString(block, [&](int row, int column, std::uint32_t, bool isNew) {
        if (isNew)
            sst.add(block.text(row, column));
    });
    sst.end(cells, unique);
}

void writeSheet(BiffStream& stream, const ExportBlock& block) {
    stream.record(Bof, bof(0x0010));
    // Every column formatted as text, so a name typed into an empty cell
    // stays the text the user typed ("007" does not become 7).
    stream.record(ColInfo, Bytes()
                               .u16(0)
                               .u16(ExportBlock::columnCount - 1)
                               .u16(16 * 256)
                               .u16(textCellXf)
                               .u16(0)
                               .u16(0)
                               .str());
    const ExportBlock::Extent& used = block.extent();
    stream.record(Dimension, Bytes()
                                 .u32(static_cast<std::uint32_t>(used.firstRow))
                                 .u32(static_cast<std::uint32_t>(used.lastRow + 1))
                                 .u16(static_cast<std::uint32_t>(used.firstColumn))
                                 .u16(static_cast<std::uint32_t>(used.lastColumn + 1))
                                 .u16(0)
                                 .str());
    stream.record(Window2, Bytes().u16(0x06B6).u16(0).u16(0).u32(0x40).u16(0).u16(0).u32(0).str());
    // Cell records go out in batches rather than one write each.
    std::string cells;
    forEachString(block, [&](int row, int column, std::uint32_t index, bool) {
        const std::uint32_t fields[] = {LabelSst, 10, static_cast<std::uint32_t>(row),
                                        static_cast<std::uint32_t>(column), textCellXf};
        for (const std::uint32_t field : fields) {
            cells += static_cast<char>(field & 0xFF);
            cells += static_cast<char>(field >> 8);
        }
        cells += u32Bytes(index);
        if (cells.size() >= 1 << 15) {
            stream.raw(cells);
            cells.clear();
        }
    });
    stream.raw(cells);
    stream.record(Eof, "");
}

} // namespace

void writeXls(const ExportBlock& block, int fd) {
    CompoundFileWriter file(fd);
    BiffStream stream(file);
    const std::uint64_t sheetOffsetAt = writeGlobalsHead(stream);
    writeSharedStrings(stream, block);
    stream.record(Eof, "");
    stream.patch(sheetOffsetAt, u32Bytes(static_cast<std::uint32_t>(stream.position())));
    writeSheet(stream, block);
    file.finish();
}

} // namespace quorbel
