// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/exifinfo.h"

#include "preview/exifblock.h"

#include <libexif/exif-utils.h>

#include <cstdlib>

namespace quorbel {
namespace {

int orientationOf(ExifData& data) {
    ExifEntry* entry = exif_content_get_entry(data.ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (entry == nullptr || entry->format != EXIF_FORMAT_SHORT || entry->components < 1 ||
        entry->data == nullptr || entry->size < 2)
        return 1;
    const int value = exif_get_short(entry->data, exif_data_get_byte_order(&data));
    return value >= 1 && value <= 8 ? value : 1;
}

// A JPEG stream from start-of-image to end-of-image. Cameras may pad the
// stream with zeros; a stream cut short lacks its end marker and would decode
// to a picture with a grey remainder, so it is refused here.
bool isWholeJpeg(const unsigned char* bytes, std::size_t size) {
    while (size > 0 && bytes[size - 1] == 0)
        --size;
    return size >= 4 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF &&
           bytes[size - 2] == 0xFF && bytes[size - 1] == 0xD9;
}

ExifInfo infoFrom(const ExifDataPtr& data) {
    ExifInfo info;
    if (!data)
        return info;
    info.orientation = orientationOf(*data);
    if (data->data != nullptr && isWholeJpeg(data->data, data->size))
        info.thumbnail.assign(data->data, data->data + data->size);
    return info;
}

} // namespace

ExifInfo readExifInfo(const std::string& path) {
    return infoFrom(loadExifBlock(path));
}

ExifInfo exifInfoFromBytes(const unsigned char* data, std::size_t size) {
    return infoFrom(loadExifBlock(data, size));
}

bool swapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

PixelSize orientedSize(PixelSize stored, int orientation) {
    return swapsSides(orientation) ? PixelSize{stored.height, stored.width} : stored;
}

bool thumbnailServes(PixelSize picture, PixelSize thumbnail, PixelSize drawnSize) {
    if (thumbnail.width <= 0 || thumbnail.height <= 0 || picture.width <= 0 || picture.height <= 0)
        return false;
    if (thumbnail.width > picture.width || thumbnail.height > picture.height)
        return false;
    // Compare tw/th with pw/ph without dividing: |tw*ph - th*pw| <= 1% of th*pw.
    const double crossThumb = static_cast<double>(thumbnail.width) * picture.height;
    const double crossPicture = static_cast<double>(thumbnail.height) * picture.width;
    if (std::abs(crossThumb - crossPicture) > 0.01 * crossPicture)
        return false;
    return drawnSize.width <= 1.5 * thumbnail.width && drawnSize.height <= 1.5 * thumbnail.height;
}

} // namespace quorbel
