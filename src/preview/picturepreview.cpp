// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/picturepreview.h"

#include "global/picturefiles.h"
#include "preview/exifinfo.h"
#include "preview/imagebox.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTransform>

namespace quorbel {
namespace {

// ".DIB" and ".RLE" are Windows bitmaps under other names; Qt knows them only
// by content, so say so outright.
bool isBitmapAlias(const QString& path) {
    return path.endsWith(QLatin1String(".dib"), Qt::CaseInsensitive) ||
           path.endsWith(QLatin1String(".rle"), Qt::CaseInsensitive);
}

QSize orientedSize(const QSize& stored, int orientation) {
    return swapsSides(orientation) ? stored.transposed() : stored;
}

PixelSize pixelSize(const QSize& size) {
    return PixelSize{size.width(), size.height()};
}

QRect placement(const QSize& boxSize, const QSize& pictureSize) {
    Rect source{0, 0, pictureSize.width(), pictureSize.height()};
    fitRect(Rect{0, 0, boxSize.width(), boxSize.height()}, source);
    return QRect(source.X, source.Y, source.Width, source.Height);
}

// Turns a picture as stored into the picture as the camera was held. Qt's own
// orientation support stays off (see openReader), so this is applied once.
QImage upright(const QImage& stored, int orientation) {
    const QTransform quarter = QTransform().rotate(90);
    switch (orientation) {
    case 2:
        return stored.mirrored(true, false);
    case 3:
        return stored.mirrored(true, true);
    case 4:
        return stored.mirrored(false, true);
    case 5:
        return stored.transformed(quarter).mirrored(true, false);
    case 6:
        return stored.transformed(quarter);
    case 7:
        return stored.transformed(quarter).mirrored(false, true);
    case 8:
        return stored.transformed(QTransform().rotate(270));
    default:
        return stored;
    }
}

// The EXIF thumbnail, upright, when it may stand in for the picture; otherwise
// null. Its header is read first, so a thumbnail claiming an absurd size is
// refused before anything is allocated for it.
QImage thumbnailFor(const ExifInfo& exif, const QSize& pictureSize, const QSize& drawnSize) {
    if (exif.thumbnail.empty())
        return QImage();
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(exif.thumbnail.data()),
                                static_cast<qsizetype>(exif.thumbnail.size()));
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoTransform(false);
    const QSize stored = reader.size();
    if (!stored.isValid() ||
        !thumbnailServes(pixelSize(pictureSize), pixelSize(orientedSize(stored, exif.orientation)),
                         pixelSize(drawnSize)))
        return QImage();
    const QImage thumbnail = reader.read();
    if (thumbnail.size() != stored)
        return QImage();
    return upright(thumbnail, exif.orientation);
}

// Decodes at the drawn size where the format can do that cheaply; other
// formats decode whole and are scaled while drawing.
QImage decodeFor(QImageReader& reader, const QSize& storedSize, const QSize& drawnStored) {
    const bool reducing =
        drawnStored.width() < storedSize.width() && drawnStored.height() < storedSize.height();
    if (reducing && !drawnStored.isEmpty() && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(drawnStored);
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

// Qt would turn JPEGs and TIFFs by their orientation on reading but report the
// size as stored; the preview turns pictures itself so that the size and the
// pixels always agree.
void openReader(QImageReader& reader, const QString& path) {
    reader.setFileName(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    if (isBitmapAlias(path))
        reader.setFormat("bmp");
}

ExifInfo exifOf(QImageReader& reader, const QString& path) {
    if (reader.format() != "jpeg")
        return ExifInfo{};
    return readExifInfo(QFile::encodeName(path).toStdString());
}

} // namespace

PreviewPicture renderPreview(const QString& path, const QSize& boxSize) {
    QImageReader reader;
    openReader(reader, path);
    QSize storedSize = reader.size();
    QImage picture;
    if (!storedSize.isValid()) {
        picture = reader.read(); // formats that cannot tell their size without decoding
        storedSize = picture.size();
    }
    if (storedSize.isEmpty())
        return {QImage(), QSize(0, 0)};
    // A picture already read whole came from a format without EXIF.
    const ExifInfo exif = picture.isNull() ? exifOf(reader, path) : ExifInfo{};
    const QSize pictureSize = orientedSize(storedSize, exif.orientation);
    const QRect target = placement(boxSize, pictureSize);
    if (picture.isNull())
        picture = thumbnailFor(exif, pictureSize, target.size());
    if (picture.isNull()) {
        const QSize drawnStored = orientedSize(target.size(), exif.orientation);
        picture = upright(decodeFor(reader, storedSize, drawnStored), exif.orientation);
    }
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
