// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <libexif/exif-data.h>

#include <cstddef>
#include <memory>
#include <string>

namespace quorbel {

struct ExifDataRelease {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};
using ExifDataPtr = std::unique_ptr<ExifData, ExifDataRelease>;

// The EXIF block at the head of a JPEG, parsed as stored: libexif would
// otherwise fix the block up, adding default entries the file never had.
// Null when the file holds no block or cannot be read.
//
// The file is read in small pieces only until the block has been seen: the
// reading stops at the block's end or at the first segment that is not a
// header segment, so the picture data is never read. bytesRead, when given,
// is told how many bytes were.
ExifDataPtr loadExifBlock(const std::string& path, std::size_t* bytesRead = nullptr);
ExifDataPtr loadExifBlock(const unsigned char* data, std::size_t size);

} // namespace quorbel
