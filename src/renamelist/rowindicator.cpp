// SPDX-License-Identifier: GPL-3.0-or-later
#include "renamelist/rowindicator.h"

#include <array>

namespace quorbel {

QImage rowIndicatorImage() {
    // Last marked pixel column (1-based) of each pixel row; the mark starts at 3.
    static constexpr std::array<int, 10> markEnd{0, 3, 4, 5, 6, 7, 6, 5, 4, 3};
    QImage image(9, 10, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 255));
    for (int y = 0; y < 10; ++y) {
        for (int x = 3; x <= markEnd[static_cast<size_t>(y)]; ++x)
            image.setPixelColor(x - 1, y, QColor(255, 70, 75));
    }
    return image;
}

QPixmap rowIndicatorPixmap() {
    QImage image = rowIndicatorImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb background = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == background)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace quorbel
