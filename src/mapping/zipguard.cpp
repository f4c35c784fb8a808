#include "mapping/zipguard.h"

#include "mapping/workbookmessages.h"
#include "mapping/workbookreader.h"

#include <cstdint>

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

} // namespace

void checkZipSize(std::string_view archive) {
    const size_t end = findEndRecord(archive);
    const std::uint32_t entries = read16(archive, end + 10);
    size_t at = read32(archive, end + 16);
    std::uint64_t total = 0;
    for (std::uint32_t entry = 0; entry < entries; ++entry) {
        if (at > archive.size() || archive.size() - at < centralHeaderSize ||
            archive.compare(at, 4, "PK\x01\x02") != 0)
            throw WorkbookError(workbookmessages::Damaged);
        const std::uint64_t size = read32(archive, at + 24);
        if (size > maxMemberSize)
            throw WorkbookError(workbookmessages::TooLarge);
        total += size;
        if (total > maxTotalSize)
            throw WorkbookError(workbookmessages::TooLarge);
        at += centralHeaderSize + read16(archive, at + 28) + read16(archive, at + 30) +
              read16(archive, at + 32);
    }
}

} // namespace quorbel
