// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/imagebox.h"
#include "preview/picturepreview.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorbel;

namespace {

// A 4 x 2 bitmap whose pixels are run-length coded (BI_RLE8), palette index 1 = red.
QByteArray rle8Bitmap() {
    const QByteArray runs = QByteArray::fromHex("0401"
                                                "0000"
                                                "0401"
                                                "0000"
                                                "0001");
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 dataOffset = 14 + 40 + 8;
    out << quint8('B') << quint8('M') << quint32(dataOffset + runs.size()) << quint32(0)
        << dataOffset;
    out << quint32(40) << qint32(4) << qint32(2) << quint16(1) << quint16(8) << quint32(1)
        << quint32(runs.size()) << qint32(2835) << qint32(2835) << quint32(2) << quint32(0);
    out << quint32(0x00FFFFFF) << quint32(0x00FF0000); // white, red (as BGRx)
    out.writeRawData(runs.constData(), static_cast<int>(runs.size()));
    return bytes;
}

// The smallest GIF: one red pixel. Qt reads GIF but cannot write it.
QByteArray onePixelGif() {
    return QByteArray::fromHex("4749463839610100010080000"
                               "0ff000000000021f90400000000002c00000000010001000002024401003b");
}

int openDescriptorsTo(const QString& path) {
    const QString target = QFileInfo(path).canonicalFilePath();
    int count = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo& entry :
         fds.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (entry.symLinkTarget() == target)
            ++count;
    }
    return count;
}

} // namespace

class PicturePreviewTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir_.isValid()); }

    void decodesEveryPreviewType_data();
    void decodesEveryPreviewType();
    void undecodableFileGivesNoSizeAndNoPicture_data();
    void undecodableFileGivesNoSizeAndNoPicture();
    void drawsFittedAndCentredOnWhite();
    void reducesLargeJpegButReportsTrueSize();
    void fileIsNotHeldAfterPreview();
    void viewPictureShowsTheBoxAndEmptiesItOnFailure();

private:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    QString save(const QString& name, const QSize& size, const char* format,
                 QColor colour = Qt::red) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = dir_.filePath(name);
        image.save(path, format);
        return path;
    }

    QTemporaryDir dir_;
};

void PicturePreviewTest::decodesEveryPreviewType_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("format"); // "" when the bytes are made by hand
    QTest::addColumn<QSize>("size");
    QTest::newRow("bmp") << "p.bmp"
                         << "bmp" << QSize(30, 20);
    QTest::newRow("jpg") << "p.jpg"
                         << "jpg" << QSize(64, 48);
    QTest::newRow("JPEG upper") << "p.JPEG"
                                << "jpg" << QSize(48, 64);
    QTest::newRow("ico") << "p.ico"
                         << "ico" << QSize(32, 32);
    QTest::newRow("png") << "p.png"
                         << "png" << QSize(20, 30);
    QTest::newRow("tif") << "p.tif"
                         << "tiff" << QSize(40, 10);
    QTest::newRow("tiff") << "p.tiff"
                          << "tiff" << QSize(10, 40);
    QTest::newRow("dib is a bitmap") << "p.dib"
                                     << "bmp" << QSize(25, 15);
    QTest::newRow("rle run-length bitmap") << "p.rle"
                                           << "" << QSize(4, 2);
    QTest::newRow("gif") << "p.gif"
                         << "" << QSize(1, 1);
    QTest::newRow("png named jpg") << "mislabelled.jpg"
                                   << "png" << QSize(12, 9);
}

void PicturePreviewTest::decodesEveryPreviewType() {
    QFETCH(QString, name);
    QFETCH(QString, format);
    QFETCH(QSize, size);
    QString path;
    if (!format.isEmpty())
        path = save(name, size, format.toLatin1().constData());
    else
        path = write(name, name.endsWith(QLatin1String(".gif")) ? onePixelGif() : rle8Bitmap());
    const PreviewPicture preview = renderPreview(path, QSize(121, 120));
    QCOMPARE(preview.pictureSize, size);
    QCOMPARE(preview.canvas.size(), QSize(121, 120));
    const QColor centre = preview.canvas.pixelColor(60, 60);
    QVERIFY2(centre.red() > 200 && centre.green() < 60 && centre.blue() < 60,
             qPrintable(centre.name()));
}

void PicturePreviewTest::undecodableFileGivesNoSizeAndNoPicture_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // null: the file does not exist
    QTest::newRow("missing") << "gone.jpg" << QByteArray();
    QTest::newRow("empty") << "empty.png" << QByteArray("");
    QTest::newRow("text in jpg") << "notes.jpg" << QByteArray("not a picture at all");
    QTest::newRow("truncated png header")
        << "cut.png" << QByteArray::fromHex("89504e470d0a1a0a0000000d4948");
    QTest::newRow("metafile") << "drawing.wmf" << QByteArray::fromHex("d7cdc69a0000000000000000");
    QTest::newRow("enhanced metafile") << "drawing.emf" << QByteArray::fromHex("0100000084000000");
}

void PicturePreviewTest::undecodableFileGivesNoSizeAndNoPicture() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const QString path = bytes.isNull() ? dir_.filePath(name) : write(name, bytes);
    const PreviewPicture preview = renderPreview(path, QSize(121, 120));
    QCOMPARE(preview.pictureSize, QSize(0, 0));
    QVERIFY(preview.canvas.isNull());
}

// 640 x 480 in the 121 x 120 box lands at (0, 14), 121 x 91: white bands above and below.
void PicturePreviewTest::drawsFittedAndCentredOnWhite() {
    const QString path = save(QStringLiteral("wide.png"), QSize(640, 480), "png", Qt::blue);
    const PreviewPicture preview = renderPreview(path, QSize(121, 120));
    QCOMPARE(preview.pictureSize, QSize(640, 480));
    const QImage& canvas = preview.canvas;
    QCOMPARE(canvas.pixelColor(60, 13), QColor(Qt::white));
    QCOMPARE(canvas.pixelColor(60, 14), QColor(Qt::blue));
    QCOMPARE(canvas.pixelColor(0, 60), QColor(Qt::blue));
    QCOMPARE(canvas.pixelColor(120, 104), QColor(Qt::blue));
    QCOMPARE(canvas.pixelColor(60, 105), QColor(Qt::white));
}

void PicturePreviewTest::reducesLargeJpegButReportsTrueSize() {
    const QString path = save(QStringLiteral("big.jpg"), QSize(2400, 1600), "jpg", Qt::green);
    const PreviewPicture preview = renderPreview(path, QSize(156, 151));
    QCOMPARE(preview.pictureSize, QSize(2400, 1600));
    QCOMPARE(preview.canvas.size(), QSize(156, 151));
    QCOMPARE(preview.canvas.pixelColor(78, 10), QColor(Qt::white)); // 156 x 104 at y 24
    QVERIFY(preview.canvas.pixelColor(78, 75).green() > 200);
}

// Another program must be able to rename or replace the file at once.
void PicturePreviewTest::fileIsNotHeldAfterPreview() {
    const QString path = save(QStringLiteral("held.jpg"), QSize(200, 100), "jpg");
    ImageBox box;
    box.resize(121, 120);
    QCOMPARE(viewPicture(box, QFile::encodeName(path).toStdString()), QSize(200, 100));
    QCOMPARE(openDescriptorsTo(path), 0);
    QVERIFY(QFile::rename(path, dir_.filePath(QStringLiteral("renamed.jpg"))));
}

void PicturePreviewTest::viewPictureShowsTheBoxAndEmptiesItOnFailure() {
    const QString good = save(QStringLiteral("good.png"), QSize(50, 50), "png");
    const QString bad = write(QStringLiteral("bad.png"), QByteArray("junk"));
    QWidget parent;
    auto* box = new ImageBox(&parent);
    box->setGeometry(0, 0, 121, 120);
    box->hide();
    QCOMPARE(viewPicture(*box, good.toStdString()), QSize(50, 50));
    QVERIFY(!box->isHidden());
    QVERIFY(box->hasPicture());
    box->hide();
    QCOMPARE(viewPicture(*box, bad.toStdString()), QSize(0, 0));
    QVERIFY(!box->isHidden());
    QVERIFY(!box->hasPicture());
}

QTEST_MAIN(PicturePreviewTest)
#include "picturepreview_test.moc"
