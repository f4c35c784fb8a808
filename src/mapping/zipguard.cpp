// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapping/zipguard.h"

#include "mapping/workbookmessages.h"
#include "mapping/workbookreader.h"

#include <cstdint>

#include <zlib.h>

namespace quorbel {
namespace {

constexpr std::uint64_t maxMemberSize = 512u * 1024 * 1024;
constexpr std::uint64_t maxTotalSize = 1024u * 1024 * 1024;
constexpr size_t endRecordSize = 22;
constexpr size_t centralHeaderSize = 46;

std::uint32_t read16(std::string_view data, size_t at) {
    return static_cast<unsigned char>(data[at]) | static_cast<unsigned char>(data[at + 1]) << 8;
}

std::uint32_t read32(std::string_view data, size_t at) {
    return read16(data, at) | read16(data, at + 2) << 16;
}

size_t findEndRecord(std::string_view archive) {
    if (archive.size() < endRecordSize)
        throw WorkbookError(workbookmessages::Damaged);
    const size_t last = archive.size() - endRecordSize;
    const size_t first = last > 0xFFFF ? last - 0xFFFF : 0;
    for (size_t at = last + 1; at-- > first;) {
        if (archive.compare(at, 4, "PK\x05\x06") == 0)
            return at;
    }
    throw WorkbookError(workbookmessages::Damaged);
}

// Unpacks a member without keeping it and compares size and CRC-32 with the
// central directory: liborcus trusts the unpacked data and has read past the
// end of a member whose compressed data was damaged.
void checkMemberData(std::string_view data, unsigned method, std::uint64_t size,
                     std::uint32_t crc) {
    uLong actualCrc = crc32(0, nullptr, 0);
    std::uint64_t actualSize = 0;
    if (method == 0) {
        actualCrc = crc32_z(actualCrc, reinterpret_cast<const Bytef*>(data.data()), data.size());
        actualSize = data.size();
    } else if (method == 8) {
        z_stream stream{};
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
            throw WorkbookError(workbookmessages::TooLarge);
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        stream.avail_in = static_cast<uInt>(data.size());
        unsigned char buffer[65536];
        int result = Z_OK;
        while (result == Z_OK && actualSize <= size) {
            stream.next_out = buffer;
            stream.avail_out = sizeof buffer;
            result = inflate(&stream, Z_NO_FLUSH);
            const size_t produced = sizeof buffer - stream.avail_out;
            actualCrc = crc32_z(actualCrc, buffer, produced);
            actualSize += produced;
            if (result == Z_OK && produced == 0 && stream.avail_in == 0)
                break;
        }
        inflateEnd(&stream);
        if (result != Z_STREAM_END)
            throw WorkbookError(workbookmessages::Damaged);
    } else {
        throw WorkbookError(workbookmessages::Damaged);
    }
    if (actualSize != size || actualCrc != crc)
        throw WorkbookError(workbookmessages::Damaged);
}

// The member's local header, which the unpacker reads its sizes from, must lie
// in the file and agree with the limits too.
void checkLocalHeader(std::string_view archive, size_t at, size_t directoryStart,
                      std::string_view central) {
    constexpr size_t localHeaderSize = 30;
    if (at > directoryStart || directoryStart - at < localHeaderSize ||
        archive.compare(at, 4, "PK\x03\x04") != 0)
        throw WorkbookError(workbookmessages::Damaged);
    const std::uint64_t packed = read32(archive, at + 18);
    const std::uint64_t unpacked = read32(archive, at + 22);
    if (packed > maxMemberSize || unpacked > maxMemberSize)
        throw WorkbookError(workbookmessages::TooLarge);
    const std::uint64_t end =
        at + localHeaderSize + read16(archive, at + 26) + read16(archive, at + 28) + packed;
    if (end > directoryStart)
        throw WorkbookError(workbookmessages::Damaged);
    // Sizes and CRC come from the central directory: with a data descriptor
    // the local header leaves them zero.
    const size_t dataStart =
        at + localHeaderSize + read16(archive, at + 26) + read16(archive, at + 28);
    const std::uint64_t centralPacked = read32(central, 20);
    if (dataStart > directoryStart || directoryStart - dataStart < centralPacked)
        throw WorkbookError(workbookmessages::Damaged);
    checkMemberData(archive.substr(dataStart, centralPacked), read16(central, 10),
                    read32(central, 24), read32(central, 16));
}

} // namespace

void checkZipSize(std::string_view archive) {
    const size_t end = findEndRecord(archive);
    const std::uint32_t entries = read16(archive, end + 10);
    const std::uint64_t directorySize = read32(archive, end + 12);
    const size_t directoryStart = read32(archive, end + 16);
    if (directoryStart > end || end - directoryStart < directorySize)
        throw WorkbookError(workbookmessages::Damaged);
    size_t at = directoryStart;
    std::uint64_t total = 0;
    for (std::uint32_t entry = 0; entry < entries; ++entry) {
        if (at > end || end - at < centralHeaderSize || archive.compare(at, 4, "PK\x01\x02") != 0)
            throw WorkbookError(workbookmessages::Damaged);
        const std::uint64_t packed = read32(archive, at + 20);
        const std::uint64_t size = read32(archive, at + 24);
        if (size > maxMemberSize || packed > maxMemberSize)
            throw WorkbookError(workbookmessages::TooLarge);
        total += size;
        if (total > maxTotalSize)
            throw WorkbookError(workbookmessages::TooLarge);
        checkLocalHeader(archive, read32(archive, at + 42), directoryStart,
                         archive.substr(at, centralHeaderSize));
        at += centralHeaderSize + read16(archive, at + 28) + read16(archive, at + 30) +
              read16(archive, at + 32);
    }
}

} // namespace quorbel
