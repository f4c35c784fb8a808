// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/imagebox.h"

#include <QPainter>

namespace quorbel {

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void ImageBox::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void ImageBox::clearPicture() {
    picture_ = QImage();
    update();
}

void ImageBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

} // namespace quorbel
