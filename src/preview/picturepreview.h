// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <string>

namespace quorbel {

class ImageBox;

struct PreviewPicture {
    QImage canvas; // box-sized, white, the picture fitted and centred; null when nothing to draw
    QSize pictureSize; // the picture's true size, upright; 0 by 0 when it cannot be decoded
};

// Decodes the picture file only as far as a box of boxSize needs: the true size
// comes from the file's header; a camera JPEG's EXIF thumbnail stands in for the
// picture when it shows the same frame large enough; otherwise formats that can
// decode at a reduced size (JPEG at 1/2 to 1/8) do so. A JPEG is turned upright
// by its EXIF orientation, its size too. The file is closed when this returns.
PreviewPicture renderPreview(const QString& path, const QSize& boxSize);

// Shows the picture file fitted and centred on white in the box and returns the
// picture's true size. A file that cannot be decoded leaves the box visible and
// empty and gives 0 by 0; that is not an error.
QSize viewPicture(ImageBox& box, const std::string& path);

} // namespace quorbel
