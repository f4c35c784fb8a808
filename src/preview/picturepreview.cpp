#include "preview/picturepreview.h"

#include "preview/imagebox.h"

namespace quorbel {

QSize viewPicture(ImageBox& box, const std::string&) {
    box.show();
    box.clearPicture();
    return QSize(0, 0);
}

} // namespace quorbel
