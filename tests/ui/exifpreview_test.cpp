// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/picturefiles.h"
#include "preview/picturepreview.h"
#include "support/exifjpeg.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorbel;
using namespace quorbel::test;

namespace {

const QColor pictureGround(Qt::blue);
const QColor thumbnailGround(Qt::green);
const QColor mark(Qt::red);

// A ground with a mark in the stored top-left corner, a quarter wide and half
// high, so every turn and mirror puts the mark in a corner of its own.
QImage marked(const QSize& size, const QColor& ground) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(ground);
    QPainter(&image).fillRect(0, 0, size.width() / 4, size.height() / 2, mark);
    return image;
}

QImage plain(const QSize& size, const QColor& colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// JPEG colours drift a little; the tests only need to tell red, green, blue and white apart.
QString nameOf(const QColor& colour) {
    if (colour.red() > 200 && colour.green() > 200 && colour.blue() > 200)
        return QStringLiteral("white");
    if (colour.red() > 180 && colour.green() < 80 && colour.blue() < 80)
        return QStringLiteral("red");
    if (colour.green() > 180 && colour.red() < 80 && colour.blue() < 80)
        return QStringLiteral("green");
    if (colour.blue() > 180 && colour.red() < 80 && colour.green() < 80)
        return QStringLiteral("blue");
    return colour.name();
}

void patch(QByteArray& bytes, const QByteArray& entryStart, const QByteArray& value) {
    const qsizetype at = bytes.indexOf(entryStart);
    QVERIFY2(at >= 0, entryStart.toHex().constData());
    bytes.replace(at + entryStart.size(), value.size(), value);
}

// IFD entries as libexif writes them big-endian: tag, type, count of 1, value.
const QByteArray thumbnailOffsetEntry = QByteArray::fromHex("0201000400000001");
const QByteArray thumbnailLengthEntry = QByteArray::fromHex("0202000400000001");
const QByteArray orientationEntry = QByteArray::fromHex("011200030000000100");

QRect placed(const QSize& box, const QSize& picture) {
    Rect source{0, 0, picture.width(), picture.height()};
    fitRect(Rect{0, 0, box.width(), box.height()}, source);
    return QRect(source.X, source.Y, source.Width, source.Height);
}

} // namespace

class ExifPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir_.isValid()); }

    void thumbnailOnlyWhenItShowsTheFrameLargeEnough_data();
    void thumbnailOnlyWhenItShowsTheFrameLargeEnough();
    void everyOrientationIsShownUpright_data();
    void everyOrientationIsShownUpright();
    void damagedExifFallsBackToThePicture_data();
    void damagedExifFallsBackToThePicture();
    void photoTaggedByExiftoolIsReadToo();

private:
    QString write(const QByteArray& bytes) {
        const QString path = dir_.filePath(QStringLiteral("photo%1.jpg").arg(++files_));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }

    QTemporaryDir dir_;
    int files_ = 0;
};

void ExifPreviewTest::thumbnailOnlyWhenItShowsTheFrameLargeEnough_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("thumbnail"); // invalid: none stored
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QString>("shown");
    const QSize chooser(121, 120), mainBox(156, 151), none;
    QTest::newRow("thumbnail used") << QSize(640, 480) << QSize(160, 120) << chooser << "green";
    QTest::newRow("used in the larger box")
        << QSize(640, 480) << QSize(160, 120) << mainBox << "green";
    QTest::newRow("aspect off by 0.3%") << QSize(600, 400) << QSize(160, 107) << chooser << "green";
    QTest::newRow("refused: letterboxed 4:3 for 3:2")
        << QSize(600, 400) << QSize(160, 120) << chooser << "blue";
    QTest::newRow("refused: aspect off by 1.9%")
        << QSize(640, 480) << QSize(160, 118) << chooser << "blue";
    QTest::newRow("enlarged 1.49 times") << QSize(640, 480) << QSize(81, 61) << chooser << "green";
    QTest::newRow("too small for the box") << QSize(640, 480) << QSize(64, 48) << chooser << "blue";
    QTest::newRow("larger than its picture")
        << QSize(120, 90) << QSize(160, 120) << chooser << "blue";
    QTest::newRow("no thumbnail") << QSize(640, 480) << none << chooser << "blue";
}

void ExifPreviewTest::thumbnailOnlyWhenItShowsTheFrameLargeEnough() {
    QFETCH(QSize, picture);
    QFETCH(QSize, thumbnail);
    QFETCH(QSize, box);
    QFETCH(QString, shown);
    const QByteArray thumbnailJpeg =
        thumbnail.isValid() ? jpegBytes(plain(thumbnail, thumbnailGround)) : QByteArray();
    const QString path =
        write(withApp1(jpegBytes(plain(picture, pictureGround)), exifBlock(1, thumbnailJpeg)));
    const PreviewPicture preview = renderPreview(path, box);
    QCOMPARE(preview.pictureSize, picture);
    QCOMPARE(preview.canvas.size(), box);
    QCOMPARE(nameOf(preview.canvas.pixelColor(box.width() / 2, box.height() / 2)), shown);
}

void ExifPreviewTest::everyOrientationIsShownUpright_data() {
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("withThumbnail");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("markCorner"); // where the stored top-left corner shows
    const struct {
        int orientation;
        QSize size;
        const char* corner;
    } turns[] = {{1, QSize(320, 160), "top left"},     {2, QSize(320, 160), "top right"},
                 {3, QSize(320, 160), "bottom right"}, {4, QSize(320, 160), "bottom left"},
                 {5, QSize(160, 320), "top left"},     {6, QSize(160, 320), "top right"},
                 {7, QSize(160, 320), "bottom right"}, {8, QSize(160, 320), "bottom left"}};
    for (const auto& turn : turns) {
        for (const bool withThumbnail : {false, true}) {
            QTest::addRow("%d %s", turn.orientation, withThumbnail ? "thumbnail" : "decoded")
                << turn.orientation << withThumbnail << turn.size << QString(turn.corner);
        }
    }
}

void ExifPreviewTest::everyOrientationIsShownUpright() {
    QFETCH(int, orientation);
    QFETCH(bool, withThumbnail);
    QFETCH(QSize, size);
    QFETCH(QString, markCorner);
    const QByteArray thumbnail =
        withThumbnail ? jpegBytes(marked(QSize(160, 80), thumbnailGround)) : QByteArray();
    const QString path = write(withApp1(jpegBytes(marked(QSize(320, 160), pictureGround)),
                                        exifBlock(orientation, thumbnail)));
    const QSize box(121, 120);
    const PreviewPicture preview = renderPreview(path, box);
    QCOMPARE(preview.pictureSize, size); // what the chooser's label shows
    const QRect drawn = placed(box, size);
    const int left = drawn.x() + drawn.width() / 8, right = drawn.right() - drawn.width() / 8;
    const int top = drawn.y() + drawn.height() / 8, bottom = drawn.bottom() - drawn.height() / 8;
    const QMap<QString, QPoint> corners{{"top left", QPoint(left, top)},
                                        {"top right", QPoint(right, top)},
                                        {"bottom right", QPoint(right, bottom)},
                                        {"bottom left", QPoint(left, bottom)}};
    const QString ground = withThumbnail ? "green" : "blue";
    for (auto corner = corners.cbegin(); corner != corners.cend(); ++corner) {
        const QString expected = corner.key() == markCorner ? QString("red") : ground;
        QCOMPARE(nameOf(preview.canvas.pixelColor(corner.value())), expected);
    }
    QCOMPARE(nameOf(preview.canvas.pixelColor(2, 2)), QString("white")); // a band, either way
}

void ExifPreviewTest::damagedExifFallsBackToThePicture_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QSize>("size"); // turned when the orientation survived the damage
    const QSize stored(640, 480), turned(480, 640);
    const QByteArray picture = jpegBytes(plain(QSize(640, 480), pictureGround));
    const QByteArray thumbnail = jpegBytes(plain(QSize(160, 120), thumbnailGround));
    const QByteArray sound = withApp1(picture, exifBlock(1, thumbnail));

    QByteArray offsetPastEnd = sound;
    patch(offsetPastEnd, thumbnailOffsetEntry, QByteArray::fromHex("00fffff0"));
    QTest::newRow("thumbnail offset past the end") << offsetPastEnd << stored;
    QByteArray lengthPastEnd = sound;
    patch(lengthPastEnd, thumbnailLengthEntry, QByteArray::fromHex("7ffffff0"));
    QTest::newRow("thumbnail length past the end") << lengthPastEnd << stored;
    QTest::newRow("thumbnail not a JPEG")
        << withApp1(picture, exifBlock(1, QByteArray(2000, 'x'))) << stored;
    QTest::newRow("thumbnail cut short")
        << withApp1(picture, exifBlock(1, thumbnail.left(thumbnail.size() / 2))) << stored;
    QTest::newRow("thumbnail does not decode")
        << withApp1(picture,
                    exifBlock(1, QByteArray::fromHex("ffd8ffdb") + QByteArray(500, '\x07') +
                                     QByteArray::fromHex("ffd9")))
        << stored;
    QByteArray absurd = thumbnail; // the frame header claims 64000 x 48000
    const qsizetype frame = absurd.indexOf(QByteArray::fromHex("ffc0"));
    absurd.replace(frame + 5, 4, QByteArray::fromHex("bb80fa00"));
    QTest::newRow("thumbnail of absurd size") << withApp1(picture, exifBlock(1, absurd)) << stored;
    QByteArray wrongType = withApp1(picture, exifBlock(6, QByteArray()));
    patch(wrongType, QByteArray::fromHex("0112"), QByteArray::fromHex("0004"));
    QTest::newRow("orientation stored as a long") << wrongType << stored;
    QTest::newRow("orientation out of range")
        << withApp1(picture, exifBlock(9, QByteArray())) << stored;
    const QByteArray block = exifBlock(6, thumbnail);
    QTest::newRow("EXIF block cut short")
        << withApp1(picture, block.left(block.size() / 2)) << turned;
    QByteArray lostDirectory = withApp1(picture, exifBlock(6, thumbnail));
    patch(lostDirectory, QByteArray("Exif\0\0MM\0\x2A", 10), QByteArray::fromHex("fffffff0"));
    QTest::newRow("first directory past the end") << lostDirectory << stored;
    QTest::newRow("EXIF segment of junk") << withApp1(picture, QByteArray(300, '\xff')) << stored;
}

// Never a crash, never the wrong picture: the picture itself, decoded.
void ExifPreviewTest::damagedExifFallsBackToThePicture() {
    QFETCH(QByteArray, file);
    QFETCH(QSize, size);
    const PreviewPicture preview = renderPreview(write(file), QSize(121, 120));
    QCOMPARE(preview.pictureSize, size);
    QCOMPARE(nameOf(preview.canvas.pixelColor(60, 60)), QString("blue"));
}

// Made by tests/fixtures/preview/make_preview_fixtures.sh with ImageMagick and
// exiftool: 320 x 160 stored sideways (orientation 6), a 160 x 80 thumbnail.
void ExifPreviewTest::photoTaggedByExiftoolIsReadToo() {
    const PreviewPicture preview = renderPreview(
        QStringLiteral(QUORBEL_FIXTURES "/preview/sideways-exiftool.jpg"), QSize(121, 120));
    QCOMPARE(preview.pictureSize, QSize(160, 320));
    const QRect drawn = placed(QSize(121, 120), QSize(160, 320));
    const int right = drawn.right() - drawn.width() / 8, top = drawn.height() / 8;
    QCOMPARE(nameOf(preview.canvas.pixelColor(right, top)), QString("red"));
    QCOMPARE(nameOf(preview.canvas.pixelColor(drawn.x() + 4, top)), QString("green"));
}

QTEST_MAIN(ExifPreviewTest)
#include "exifpreview_test.moc"
