// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/celltext.h"
#include "mapping/workbookreader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace quorbel {
namespace {

void put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}

void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::string record(std::uint32_t type, const std::string& body) {
    std::string out;
    put16(out, type);
    put16(out, static_cast<std::uint32_t>(body.size()));
    return out + body;
}

struct SstString {
    std::u16string text;
    std::uint32_t runs = 0;     // formatting runs, 4 bytes each
    std::uint32_t phonetic = 0; // bytes of phonetic data
};

// A shared-string table cut into records of at most `limit` bytes the way
// BIFF8 allows: headers, runs and phonetic data split anywhere, characters
// split between characters with a fresh option byte that drops to 8-bit
// characters when the rest of the string fits in them.
class SstWriter {
public:
    explicit SstWriter(size_t limit) : limit_(limit) {}

    std::string write(const std::vector<SstString>& strings) {
        // The table's own 8-byte header always stays in its first record.
        records_.assign(1, std::string());
        put32(records_.front(), static_cast<std::uint32_t>(strings.size()));
        put32(records_.front(), static_cast<std::uint32_t>(strings.size()));
        for (const SstString& s : strings)
            add(s);
        std::string out = record(0x00FC, records_.front());
        for (size_t i = 1; i < records_.size(); ++i)
            out += record(0x003C, records_[i]);
        return out;
    }

private:
    static bool needsWide(std::u16string_view text) {
        for (const char16_t c : text) {
            if (c > 0xFF)
                return true;
        }
        return false;
    }

    size_t limit() const { return records_.size() == 1 ? std::max<size_t>(limit_, 9) : limit_; }

    void byte(unsigned char b) {
        if (records_.back().size() >= limit())
            records_.emplace_back();
        records_.back() += static_cast<char>(b);
    }

    void word(std::uint32_t value) {
        byte(value & 0xFF);
        byte(value >> 8 & 0xFF);
    }

    void add(const SstString& s) {
        bool wide = needsWide(s.text);
        word(static_cast<std::uint32_t>(s.text.size()));
        byte((wide ? 0x01 : 0) | (s.runs ? 0x08 : 0) | (s.phonetic ? 0x04 : 0));
        if (s.runs)
            word(s.runs);
        if (s.phonetic) {
            word(s.phonetic & 0xFFFF);
            word(s.phonetic >> 16);
        }
        for (size_t i = 0; i < s.text.size(); ++i) {
            if (records_.back().size() + (wide ? 2 : 1) > limit()) {
                records_.emplace_back();
                wide = needsWide(std::u16string_view(s.text).substr(i));
                records_.back() += static_cast<char>(wide ? 0x01 : 0x00);
            }
            records_.back() += static_cast<char>(s.text[i] & 0xFF);
            if (wide)
                records_.back() += static_cast<char>(s.text[i] >> 8);
        }
        for (std::uint32_t i = 0; i < 4 * s.runs + s.phonetic; ++i)
            byte(static_cast<unsigned char>(0xA0 + i % 16));
    }

    size_t limit_;
    std::vector<std::string> records_;
};

// A BIFF8 workbook with one sheet "S" whose column A holds the shared
// strings in order, one per row.
std::string workbookStream(const std::vector<SstString>& strings, size_t limit) {
    std::string bof;
    put16(bof, 0x0600);
    put16(bof, 0x0005);
    bof += std::string(12, '\0');
    std::string sheetBof = bof;
    sheetBof[2] = 0x10;
    std::string globals = record(0x0809, bof);
    const size_t boundSheetAt = globals.size() + 4;
    globals += record(0x0085, std::string("\0\0\0\0\0\0\x01\0S", 9));
    globals += SstWriter(limit).write(strings) + record(0x000A, "");
    std::string position;
    put32(position, static_cast<std::uint32_t>(globals.size()));
    globals.replace(boundSheetAt, 4, position);

    std::string dimension;
    put32(dimension, 0);
    put32(dimension, static_cast<std::uint32_t>(strings.size()));
    put16(dimension, 0);
    put16(dimension, 1);
    put16(dimension, 0);
    std::string sheet = record(0x0809, sheetBof) + record(0x0200, dimension);
    for (size_t row = 0; row < strings.size(); ++row) {
        std::string cell;
        put16(cell, static_cast<std::uint32_t>(row));
        put16(cell, 0);
        put16(cell, 15);
        put32(cell, static_cast<std::uint32_t>(row));
        sheet += record(0x00FD, cell);
    }
    return globals + sheet + record(0x000A, "");
}

// The stream in a compound file of 512-byte sectors: FAT in sector 0, the
// directory in sector 1, the stream from sector 2 on. Streams of 4096 bytes
// and more live in ordinary sectors.
std::string compoundFile(const std::string& stream) {
    const size_t sectors = (stream.size() + 511) / 512;
    EXPECT_GE(stream.size(), 4096u);
    EXPECT_LE(sectors + 2, 128u);
    std::string header("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    header += std::string(16, '\0');
    put16(header, 0x3E);
    put16(header, 3);
    put16(header, 0xFFFE);
    put16(header, 9);
    put16(header, 6);
    header += std::string(10, '\0');
    put32(header, 1);          // FAT sectors
    put32(header, 1);          // directory start
    put32(header, 0);          // transaction
    put32(header, 4096);       // mini stream cutoff
    put32(header, 0xFFFFFFFE); // mini FAT start
    put32(header, 0);
    put32(header, 0xFFFFFFFE); // DIFAT start
    put32(header, 0);
    put32(header, 0); // the FAT's own sector
    while (header.size() < 512)
        put32(header, 0xFFFFFFFF);

    std::string fat;
    put32(fat, 0xFFFFFFFD);
    put32(fat, 0xFFFFFFFE);
    for (size_t i = 0; i < sectors; ++i)
        put32(fat, i + 1 < sectors ? static_cast<std::uint32_t>(i + 3) : 0xFFFFFFFE);
    while (fat.size() < 512)
        put32(fat, 0xFFFFFFFF);

    auto entry = [](const std::u16string& name, int type, std::uint32_t child, std::uint32_t start,
                    std::uint32_t size) {
        std::string e;
        for (const char16_t c : name)
            put16(e, c);
        e.resize(64, '\0');
        put16(e, static_cast<std::uint32_t>(name.size() + 1) * 2);
        e += static_cast<char>(type);
        e += '\x01';
        put32(e, 0xFFFFFFFF);
        put32(e, 0xFFFFFFFF);
        put32(e, child);
        e.resize(0x74, '\0');
        put32(e, start);
        put32(e, size);
        put32(e, 0);
        return e;
    };
    std::string directory =
        entry(u"Root Entry", 5, 1, 0xFFFFFFFE, 0) +
        entry(u"Workbook", 2, 0xFFFFFFFF, 2, static_cast<std::uint32_t>(stream.size()));
    directory.resize(512, '\0');
    std::string body = stream;
    body.resize(sectors * 512, '\0');
    return header + fat + directory + body;
}

std::string utf8(const std::u16string& text) {
    std::string out;
    for (const char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

class SharedStringLayoutTest : public ::testing::TestWithParam<size_t> {};

TEST_P(SharedStringLayoutTest, EveryStringReadsWhole) {
    const std::vector<SstString> strings{
        {u"名"},
        {u"ab"},
        {u"汉字abc"}, // continues as 8-bit characters
        {u"粗体字", 3, 0},
        {u"かな", 0, 10},
        {u"富文本ok", 2, 7},
        {std::u16string(5000, u'长')}, // spans at least three records
        {u"a" + std::u16string(3000, u'x') + u"尾"},
        {u"end"}};
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("quorbel-sst-" + std::to_string(::getpid()) + ".xls"))
                                 .string();
    std::ofstream(path, std::ios::binary) << compoundFile(workbookStream(strings, GetParam()));
    const auto reader = openWorkbook(path);
    std::filesystem::remove(path);
    const MappingTable table = reader->readSheet("S");
    ASSERT_EQ(table.columnNames(), std::vector<std::string>{"名"});
    ASSERT_EQ(table.rowCount(), strings.size() - 1);
    for (size_t row = 1; row < strings.size(); ++row)
        EXPECT_EQ(cellText(table.cell(row - 1, 0), LocaleFormat{}), utf8(strings[row].text))
            << "string " << row;
}

// Record sizes that put the record ends at every kind of place in the table.
INSTANTIATE_TEST_SUITE_P(RecordSizes, SharedStringLayoutTest,
                         ::testing::Values(7, 8, 9, 10, 11, 13, 64, 1000, 8224));

} // namespace
} // namespace quorbel
