// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

namespace quorbel {

// The preview's picture box. An empty box draws nothing, so the caption of the
// panel beneath it ("空空如也") shows through.
class ImageBox : public QWidget {
    Q_OBJECT
public:
    explicit ImageBox(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    void clearPicture();
    bool hasPicture() const { return !picture_.isNull(); }
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

} // namespace quorbel
