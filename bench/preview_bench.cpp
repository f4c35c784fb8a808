// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/picturepreview.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <random>

namespace {

const QSize mainBox(156, 151);

// A 24-megapixel photograph stand-in, made once: smooth gradients and blocks
// under sensor-like noise, which gives a file of camera size (about 8 MB at
// quality 90) and so the same entropy-decoding work as a real photograph.
const QString& largePhoto() {
    static QTemporaryDir dir;
    static const QString path = [] {
        QImage image(6000, 4000, QImage::Format_RGB32);
        std::minstd_rand noise(7);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int n = static_cast<int>(noise() % 25) - 12;
                const auto channel = [n](int value) { return std::clamp(value + n, 0, 255); };
                const int block = (x / 40 + y / 40) % 2 ? 180 : 60;
                line[x] = qRgb(channel(x * 255 / 6000), channel(y * 255 / 4000), channel(block));
            }
        }
        const QString file = dir.filePath(QStringLiteral("photo.jpg"));
        image.save(file, "jpg", 90);
        return file;
    }();
    return path;
}

// The photograph tagged the way cameras tag theirs, by exiftool: a 160 x 107
// thumbnail (3:2 like the picture) and an orientation; empty when exiftool is
// missing. Orientation 6 is a portrait stored a quarter turn off.
QString taggedPhoto(const char* name, int orientation, bool thumbnail) {
    static QTemporaryDir dir;
    const QString file = dir.filePath(QString::fromLatin1(name));
    QStringList arguments{QStringLiteral("-q"), QStringLiteral("-o"), file,
                          QStringLiteral("-Orientation#=%1").arg(orientation)};
    if (thumbnail) {
        const QString small = dir.filePath(QStringLiteral("small.jpg"));
        QImageReader reader(largePhoto());
        reader.setScaledSize(QSize(160, 107));
        reader.read().save(small, "jpg", 85);
        arguments << QStringLiteral("-ThumbnailImage<=%1").arg(small);
    }
    arguments << largePhoto();
    if (QProcess::execute(QStringLiteral("exiftool"), arguments) != 0)
        return QString();
    return file;
}

const QString& photoWithThumbnail() {
    static const QString path = taggedPhoto("tagged.jpg", 1, true);
    return path;
}
const QString& rotatedPhoto() {
    static const QString path = taggedPhoto("rotated.jpg", 6, false);
    return path;
}
const QString& rotatedPhotoWithThumbnail() {
    static const QString path = taggedPhoto("rotated-thumbnail.jpg", 6, true);
    return path;
}

void previewLoop(benchmark::State& state, const QString& path, const QSize& expected) {
    if (path.isEmpty()) {
        state.SkipWithError("exiftool is needed to tag the photograph");
        return;
    }
    for (auto _ : state) {
        const quorbel::PreviewPicture preview = quorbel::renderPreview(path, mainBox);
        if (preview.pictureSize != expected)
            state.SkipWithError("the photograph did not decode");
        benchmark::DoNotOptimize(preview.canvas.constBits());
    }
}

void BM_PreviewReducedDecode(benchmark::State& state) {
    previewLoop(state, largePhoto(), QSize(6000, 4000));
}
BENCHMARK(BM_PreviewReducedDecode)->Unit(benchmark::kMillisecond);

void BM_PreviewExifThumbnail(benchmark::State& state) {
    previewLoop(state, photoWithThumbnail(), QSize(6000, 4000));
}
BENCHMARK(BM_PreviewExifThumbnail)->Unit(benchmark::kMillisecond);

void BM_PreviewRotatedReducedDecode(benchmark::State& state) {
    previewLoop(state, rotatedPhoto(), QSize(4000, 6000));
}
BENCHMARK(BM_PreviewRotatedReducedDecode)->Unit(benchmark::kMillisecond);

void BM_PreviewRotatedExifThumbnail(benchmark::State& state) {
    previewLoop(state, rotatedPhotoWithThumbnail(), QSize(4000, 6000));
}
BENCHMARK(BM_PreviewRotatedExifThumbnail)->Unit(benchmark::kMillisecond);

// The same preview decoding the whole file first, as a plain image load does.
QImage fullDecodePreview(const QString& path) {
    const QImage picture = QImageReader(path).read();
    QImage canvas(mainBox, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(QRect(0, 15, 156, 104), picture);
    painter.end();
    return picture.size() == QSize(6000, 4000) ? canvas : QImage();
}

void BM_PreviewFullDecode(benchmark::State& state) {
    const QString& path = largePhoto();
    for (auto _ : state) {
        const QImage canvas = fullDecodePreview(path);
        if (canvas.isNull())
            state.SkipWithError("the photograph did not decode");
        benchmark::DoNotOptimize(canvas.constBits());
    }
}
BENCHMARK(BM_PreviewFullDecode)->Unit(benchmark::kMillisecond);

// Each iteration times one full decode, one reduced decode and one thumbnail
// preview back to back, so a loaded machine slows all three alike and the
// ratios stay meaningful. Counters give the mean milliseconds of each.
void BM_PreviewPaired(benchmark::State& state) {
    const QString& thumbnailPath = photoWithThumbnail();
    if (thumbnailPath.isEmpty()) {
        state.SkipWithError("exiftool is needed to tag the photograph");
        return;
    }
    using Clock = std::chrono::steady_clock;
    const auto milliseconds = [](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count();
    };
    double full = 0, reduced = 0, thumbnail = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(fullDecodePreview(largePhoto()).constBits());
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(quorbel::renderPreview(largePhoto(), mainBox).canvas.constBits());
        const auto t2 = Clock::now();
        benchmark::DoNotOptimize(quorbel::renderPreview(thumbnailPath, mainBox).canvas.constBits());
        const auto t3 = Clock::now();
        full += milliseconds(t1 - t0);
        reduced += milliseconds(t2 - t1);
        thumbnail += milliseconds(t3 - t2);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["full_ms"] = full / n;
    state.counters["reduced_ms"] = reduced / n;
    state.counters["thumbnail_ms"] = thumbnail / n;
    state.counters["full_over_reduced"] = full / reduced;
    state.counters["full_over_thumbnail"] = full / thumbnail;
}
BENCHMARK(BM_PreviewPaired)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
