// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/compoundfile.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace quorbel {
namespace {

constexpr std::uint32_t sectorSize = 512;
constexpr std::uint32_t idsPerSector = sectorSize / 4;
constexpr std::uint32_t headerDifatSlots = 109;
constexpr std::uint32_t freeSector = 0xFFFFFFFF;
constexpr std::uint32_t endOfChain = 0xFFFFFFFE;
constexpr std::uint32_t fatSector = 0xFFFFFFFD;
constexpr std::uint32_t difatSector = 0xFFFFFFFC;
constexpr std::uint32_t noStream = 0xFFFFFFFF;
// Smaller streams belong in the mini stream; readers decide by the size alone,
// and some take a stream of exactly this size for a mini stream too.
constexpr std::uint32_t miniStreamCutoff = 4096;
constexpr size_t bufferSize = 1 << 16;

void put16(std::string& out, size_t at, std::uint32_t value) {
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>(value >> 8 & 0xFF);
}

void put32(std::string& out, size_t at, std::uint32_t value) {
    put16(out, at, value & 0xFFFF);
    put16(out, at + 2, value >> 16);
}

std::uint32_t sectorsFor(std::uint64_t bytes) {
    return static_cast<std::uint32_t>((bytes + sectorSize - 1) / sectorSize);
}

// The sectors after the stream: allocation tables (FAT), their overflow list
// (DIFAT) beyond the 109 the header holds, and one directory sector. The FAT
// must cover its own sectors too, so grow it until it does.
struct Layout {
    std::uint32_t streamSectors = 0, fatSectors = 0, difatSectors = 0;
    std::uint32_t total() const { return streamSectors + fatSectors + difatSectors + 1; }
    std::uint32_t fatStart() const { return streamSectors; }
    std::uint32_t difatStart() const { return streamSectors + fatSectors; }
    std::uint32_t directory() const { return difatStart() + difatSectors; }
};

Layout layoutFor(std::uint32_t streamSectors) {
    Layout layout{streamSectors, 1, 0};
    for (;;) {
        const std::uint32_t fat = (layout.total() + idsPerSector - 1) / idsPerSector;
        const std::uint32_t beyond = fat > headerDifatSlots ? fat - headerDifatSlots : 0;
        const std::uint32_t difat = (beyond + idsPerSector - 2) / (idsPerSector - 1);
        if (fat == layout.fatSectors && difat == layout.difatSectors)
            return layout;
        layout.fatSectors = fat;
        layout.difatSectors = difat;
    }
}

std::string fatBytes(const Layout& layout) {
    std::string fat(static_cast<size_t>(layout.fatSectors) * sectorSize, '\xFF');
    for (std::uint32_t sector = 0; sector < layout.streamSectors; ++sector)
        put32(fat, sector * 4, sector + 1 == layout.streamSectors ? endOfChain : sector + 1);
    for (std::uint32_t i = 0; i < layout.fatSectors; ++i)
        put32(fat, (layout.fatStart() + i) * 4, fatSector);
    for (std::uint32_t i = 0; i < layout.difatSectors; ++i)
        put32(fat, (layout.difatStart() + i) * 4, difatSector);
    put32(fat, layout.directory() * 4, endOfChain);
    return fat;
}

// Each DIFAT sector lists 127 FAT sectors and ends with the next DIFAT sector.
std::string difatBytes(const Layout& layout) {
    std::string difat(static_cast<size_t>(layout.difatSectors) * sectorSize, '\xFF');
    std::uint32_t fat = headerDifatSlots;
    for (std::uint32_t i = 0; i < layout.difatSectors; ++i) {
        const size_t base = static_cast<size_t>(i) * sectorSize;
        for (std::uint32_t slot = 0; slot + 1 < idsPerSector && fat < layout.fatSectors; ++slot)
            put32(difat, base + slot * 4, layout.fatStart() + fat++);
        const bool last = i + 1 == layout.difatSectors;
        put32(difat, base + sectorSize - 4, last ? endOfChain : layout.difatStart() + i + 1);
    }
    return difat;
}

std::string directoryEntry(std::u16string_view name, unsigned type, std::uint32_t child,
                           std::uint32_t start, std::uint32_t size) {
    std::string entry(128, '\0');
    for (size_t i = 0; i < name.size(); ++i)
        put16(entry, i * 2, name[i]);
    put16(entry, 0x40, name.empty() ? 0 : static_cast<std::uint32_t>(name.size() + 1) * 2);
    entry[0x42] = static_cast<char>(type);
    entry[0x43] = type == 0 ? 0 : 1; // black
    put32(entry, 0x44, noStream);
    put32(entry, 0x48, noStream);
    put32(entry, 0x4C, child);
    put32(entry, 0x74, start);
    put32(entry, 0x78, size);
    return entry;
}

std::string directorySector(std::uint32_t streamSize) {
    std::string sector = directoryEntry(u"Root Entry", 5, 1, endOfChain, 0);
    sector += directoryEntry(u"Workbook", 2, noStream, 0, streamSize);
    sector += directoryEntry(u"", 0, noStream, 0, 0);
    sector += directoryEntry(u"", 0, noStream, 0, 0);
    return sector;
}

std::string header(const Layout& layout) {
    std::string out(sectorSize, '\0');
    out.replace(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
    put16(out, 0x18, 0x003E); // minor version
    put16(out, 0x1A, 0x0003); // major version: 512-byte sectors
    put16(out, 0x1C, 0xFFFE); // little-endian
    put16(out, 0x1E, 9);      // sector size 2^9
    put16(out, 0x20, 6);      // mini sector size 2^6
    put32(out, 0x2C, layout.fatSectors);
    put32(out, 0x30, layout.directory());
    put32(out, 0x38, miniStreamCutoff);
    put32(out, 0x3C, endOfChain); // no mini FAT
    put32(out, 0x44, layout.difatSectors ? layout.difatStart() : endOfChain);
    put32(out, 0x48, layout.difatSectors);
    for (std::uint32_t i = 0; i < headerDifatSlots; ++i)
        put32(out, 0x4C + i * 4, i < layout.fatSectors ? layout.fatStart() + i : freeSector);
    return out;
}

} // namespace

CompoundFileWriter::CompoundFileWriter(int fd) : fd_(fd) {
    buffer_.reserve(bufferSize);
}

void CompoundFileWriter::append(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > bufferSize)
        flush();
    size_ += bytes.size();
    if (bytes.size() < bufferSize) {
        buffer_.append(bytes);
        return;
    }
    writeAt(sectorSize + flushed_, bytes);
    flushed_ += bytes.size();
}

void CompoundFileWriter::patch(std::uint64_t at, std::string_view bytes) {
    if (at >= flushed_) {
        buffer_.replace(static_cast<size_t>(at - flushed_), bytes.size(), bytes);
        return;
    }
    writeAt(sectorSize + at, bytes);
}

void CompoundFileWriter::flush() {
    writeAt(sectorSize + flushed_, buffer_);
    flushed_ += buffer_.size();
    buffer_.clear();
}

void CompoundFileWriter::writeAt(std::uint64_t offset, std::string_view bytes) const {
    while (!bytes.empty()) {
        const ssize_t written =
            ::pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw std::system_error(written < 0 ? errno : ENOSPC, std::generic_category());
        bytes.remove_prefix(static_cast<size_t>(written));
        offset += static_cast<std::uint64_t>(written);
    }
}

void CompoundFileWriter::finish() {
    // Zero bytes after the last record read as an end marker.
    const std::uint64_t minimum = miniStreamCutoff + sectorSize;
    const std::uint64_t padded = std::max<std::uint64_t>(size_, minimum);
    if (padded > 0x7FFFFFFF) // the directory holds a 32-bit size
        throw std::system_error(EFBIG, std::generic_category());
    append(std::string(static_cast<size_t>(sectorsFor(padded) * sectorSize - size_), '\0'));
    flush();
    const std::uint32_t streamSize = static_cast<std::uint32_t>(padded);
    const Layout layout = layoutFor(sectorsFor(padded));
    std::uint64_t at = sectorSize * (1 + static_cast<std::uint64_t>(layout.streamSectors));
    writeAt(at, fatBytes(layout));
    at += static_cast<std::uint64_t>(layout.fatSectors) * sectorSize;
    writeAt(at, difatBytes(layout));
    at += static_cast<std::uint64_t>(layout.difatSectors) * sectorSize;
    writeAt(at, directorySector(streamSize));
    writeAt(0, header(layout));
}

} // namespace quorbel
