#pragma once

#include <QSize>
#include <string>

namespace quorbel {

class ImageBox;

// Shows the picture file fitted and centred on white in the box and returns the
// picture's true size (0 by 0 when it cannot be decoded).
QSize viewPicture(ImageBox& box, const std::string& path);

} // namespace quorbel
