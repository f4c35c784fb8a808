#include "preview/exifinfo.h"

#include <cstdint>
#include <cstdlib>

// EXIF adapter: the input is the head of a JPEG file. Whatever libexif makes
// of it, the preview must get an orientation it can apply and either no
// thumbnail or a whole JPEG stream.
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
    return 0;
}
