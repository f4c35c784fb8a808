// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/picturefiles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace quorbel {
namespace {

constexpr std::array<std::string_view, 12> pictureTypes{".BMP",  ".JPG", ".JPEG", ".ICO",
                                                        ".EMF",  ".WMF", ".PNG",  ".TIF",
                                                        ".TIFF", ".DIB", ".RLE",  ".GIF"};

std::string upperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

// Halves go to the even neighbour, as the processor's default rounding does.
std::int32_t roundHalfEven(double value) {
    return static_cast<std::int32_t>(std::nearbyint(value));
}

} // namespace

bool isPicFile(std::string_view path, const PathRule& rule) {
    const std::string extension = upperAscii(extensionOf(path, rule));
    return std::find(pictureTypes.begin(), pictureTypes.end(), extension) != pictureTypes.end();
}

void fitRect(const Rect& frame, Rect& source) {
    if (source.Width <= 0 || source.Height <= 0) {
        source = Rect{};
        return;
    }
    const double rw = static_cast<double>(frame.Width) / source.Width;
    const double rh = static_cast<double>(frame.Height) / source.Height;
    const double scale = rw < rh ? rw : rh;
    const std::int32_t width = roundHalfEven(source.Width * scale);
    const std::int32_t height = roundHalfEven(source.Height * scale);
    source.X = roundHalfEven((frame.Width - width) / 2.0);
    source.Y = roundHalfEven((frame.Height - height) / 2.0);
    source.Width = width;
    source.Height = height;
}

} // namespace quorbel
