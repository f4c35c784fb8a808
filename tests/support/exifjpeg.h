// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

namespace quorbel::test {

// Camera-like JPEGs made on the spot: Qt writes the picture, libexif the EXIF
// block, so the tests need no photographs from elsewhere.

QByteArray jpegBytes(const QImage& image, int quality = 95);

// The APP1 payload ("Exif\0\0" and the TIFF structure, big-endian). Orientation
// 0 leaves the tag out; an empty thumbnail leaves the thumbnail out.
QByteArray exifBlock(int orientation, const QByteArray& thumbnail);

// The JPEG with an APP1 segment holding block right after its start marker,
// where cameras put it.
QByteArray withApp1(const QByteArray& jpeg, const QByteArray& block);

} // namespace quorbel::test
