// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbering/datepattern.h"
#include "preview/exifdate.h"
#include "preview/exifinfo.h"

#include <cstdint>
#include <cstdlib>

namespace {

// A date is either absent or one that exists, and the pattern that names
// photographs turns it into exactly its fifteen characters.
void checkDate(const std::uint8_t* data, size_t size) {
    const std::optional<quorbel::TakenTime> taken = quorbel::dateTakenFromBytes(data, size);
    if (!taken)
        return;
    const quorbel::TakenTime& t = *taken;
    if (t.year < 1 || t.year > 9999 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 ||
        t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 60)
        std::abort();
    static const quorbel::DatePattern pattern("%Y%m%d_%H%M%S");
    if (pattern.format(t).size() != 15)
        std::abort();
}

} // namespace

// EXIF adapter: the input is the head of a JPEG file. Whatever libexif makes
// of it, the preview must get an orientation it can apply and either no
// thumbnail or a whole JPEG stream, and the date reader a date that exists.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const quorbel::ExifInfo info = quorbel::exifInfoFromBytes(data, size);
    if (info.orientation < 1 || info.orientation > 8)
        std::abort();
    const auto& thumbnail = info.thumbnail;
    if (!thumbnail.empty() &&
        (thumbnail.size() < 4 || thumbnail[0] != 0xFF || thumbnail[1] != 0xD8))
        std::abort();
    if (size >= 12) {
        const auto word = [data](int at) {
            return static_cast<std::int32_t>(data[at] | data[at + 1] << 8) - 0x100;
        };
        quorbel::thumbnailServes({word(0), word(2)}, {word(4), word(6)}, {word(8), word(10)});
    }
    checkDate(data, size);
    return 0;
}
