// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/exifjpeg.h"

#include <QBuffer>

#include <libexif/exif-data.h>
#include <libexif/exif-utils.h>

#include <cstdlib>
#include <cstring>

namespace quorbel::test {
namespace {

void addShort(ExifData* data, ExifIfd ifd, ExifTag tag, ExifShort value) {
    ExifEntry* entry = exif_entry_new();
    exif_content_add_entry(data->ifd[ifd], entry);
    exif_entry_initialize(entry, tag);
    exif_set_short(entry->data, EXIF_BYTE_ORDER_MOTOROLA, value);
    exif_entry_unref(entry);
}

} // namespace

QByteArray jpegBytes(const QImage& image, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "jpg", quality);
    return bytes;
}

QByteArray exifBlock(int orientation, const QByteArray& thumbnail) {
    ExifData* data = exif_data_new();
    exif_data_unset_option(data, EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_set_byte_order(data, EXIF_BYTE_ORDER_MOTOROLA);
    if (orientation != 0)
        addShort(data, EXIF_IFD_0, EXIF_TAG_ORIENTATION, static_cast<ExifShort>(orientation));
    if (!thumbnail.isEmpty()) {
        addShort(data, EXIF_IFD_1, EXIF_TAG_COMPRESSION, 6); // JPEG
        data->size = static_cast<unsigned int>(thumbnail.size());
        data->data = static_cast<unsigned char*>(std::malloc(data->size));
        std::memcpy(data->data, thumbnail.constData(), data->size);
    }
    unsigned char* saved = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data, &saved, &size);
    QByteArray block(reinterpret_cast<const char*>(saved), static_cast<qsizetype>(size));
    std::free(saved);
    exif_data_unref(data);
    return block;
}

QByteArray withApp1(const QByteArray& jpeg, const QByteArray& block) {
    const qsizetype length = block.size() + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment.append(static_cast<char>((length >> 8) & 0xFF));
    segment.append(static_cast<char>(length & 0xFF));
    segment.append(block);
    return jpeg.left(2) + segment + jpeg.mid(2);
}

} // namespace quorbel::test
