#include "preview/picturepreview.h"

#include "global/picturefiles.h"
#include "preview/imagebox.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

namespace quorbel {
namespace {

// ".DIB" and ".RLE" are Windows bitmaps under other names; Qt knows them only
// by content, so say so outright.
bool isBitmapAlias(const QString& path) {
    return path.endsWith(QLatin1String(".dib"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".rle"), Qt::CaseInsensitive);
}

QRect placement(const QSize& boxSize, const QSize& pictureSize) {
    Rect source{0, 0, pictureSize.width(), pictureSize.height()};
    fitRect(Rect{0, 0, boxSize.width(), boxSize.height()}, source);
    return QRect(source.X, source.Y, source.Width, source.Height);
}

// Decodes at the drawn size where the format can do that cheaply; other
// formats decode whole and are scaled while drawing.
QImage decodeFor(QImageReader& reader, const QSize& pictureSize, const QSize& drawnSize) {
    const bool reducing =
        drawnSize.width() < pictureSize.width() && drawnSize.height() < pictureSize.height();
    if (reducing && !drawnSize.isEmpty() && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(drawnSize);
    // A thumbnail drawn with fast scaling gains nothing from the exact DCT and
    // smooth upsampling; the JPEG reader skips both below quality 50.
    reader.setQuality(25);
    return reader.read();
}

QImage whiteCanvas(const QSize& boxSize, const QImage& picture, const QRect& target) {
    QImage canvas(boxSize, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, picture);
    return canvas;
}

} // namespace

PreviewPicture renderPreview(const QString& path, const QSize& boxSize) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (isBitmapAlias(path))
        reader.setFormat("bmp");
    QSize pictureSize = reader.size();
    QImage picture;
    if (!pictureSize.isValid()) {
        picture = reader.read(); // formats that cannot tell their size without decoding
        pictureSize = picture.size();
    }
    if (pictureSize.isEmpty())
        return {QImage(), QSize(0, 0)};
    const QRect target = placement(boxSize, pictureSize);
    if (picture.isNull())
        picture = decodeFor(reader, pictureSize, target.size());
    if (picture.isNull())
        return {QImage(), QSize(0, 0)};
    if (boxSize.isEmpty())
        return {QImage(), pictureSize};
    return {whiteCanvas(boxSize, picture, target), pictureSize};
}

QSize viewPicture(ImageBox& box, const std::string& path) {
    box.show();
    box.clearPicture();
    const PreviewPicture preview =
        renderPreview(QFile::decodeName(QByteArray::fromStdString(path)), box.size());
    if (!preview.canvas.isNull())
        box.setPicture(preview.canvas);
    return preview.pictureSize;
}

} // namespace quorbel
