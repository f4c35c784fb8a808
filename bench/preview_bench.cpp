#include "preview/picturepreview.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
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

void BM_PreviewReducedDecode(benchmark::State& state) {
    const QString& path = largePhoto();
    for (auto _ : state) {
        const quorbel::PreviewPicture preview = quorbel::renderPreview(path, mainBox);
        if (preview.pictureSize != QSize(6000, 4000))
            state.SkipWithError("the photograph did not decode");
        benchmark::DoNotOptimize(preview.canvas.constBits());
    }
}
BENCHMARK(BM_PreviewReducedDecode)->Unit(benchmark::kMillisecond);

// The same preview decoding the whole file first, as a plain image load does.
void BM_PreviewFullDecode(benchmark::State& state) {
    const QString& path = largePhoto();
    for (auto _ : state) {
        const QImage picture = QImageReader(path).read();
        if (picture.size() != QSize(6000, 4000))
            state.SkipWithError("the photograph did not decode");
        QImage canvas(mainBox, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        painter.drawImage(QRect(0, 15, 156, 104), picture);
        painter.end();
        benchmark::DoNotOptimize(canvas.constBits());
    }
}
BENCHMARK(BM_PreviewFullDecode)->Unit(benchmark::kMillisecond);

} // namespace
