// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorbel {

struct PixelSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const PixelSize&) const = default;
};

// What a photograph's EXIF block offers the preview: the small JPEG that
// cameras store beside the picture, and how the picture must be turned to
// stand upright (1 to 8, 1 being "as stored").
struct ExifInfo {
    std::vector<unsigned char> thumbnail; // a whole JPEG stream, or empty
    int orientation = 1;
};

// Reads only the EXIF block at the head of a JPEG file, never the picture
// data. A missing, damaged or lying block gives no thumbnail and orientation 1.
ExifInfo readExifInfo(const std::string& path);

// The same from the first bytes of a file held in memory.
ExifInfo exifInfoFromBytes(const unsigned char* data, std::size_t size);

// Orientations 5 to 8 turn the picture by a quarter: width and height trade places.
bool swapsSides(int orientation);
PixelSize orientedSize(PixelSize stored, int orientation);

// A thumbnail may stand in for the picture only when it shows the same frame
// (aspect ratios within 1%, so a cropped or letterboxed thumbnail is refused),
// is no larger than the picture, and is enlarged at most 1.5 times to fill
// drawnSize. All sizes are as shown, after orientation.
bool thumbnailServes(PixelSize picture, PixelSize thumbnail, PixelSize drawnSize);

} // namespace quorbel
