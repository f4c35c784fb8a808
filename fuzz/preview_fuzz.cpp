// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzworkbook.h"
#include "preview/picturepreview.h"

#include <QGuiApplication>

#include <cstdlib>

// The whole preview of a JPEG: EXIF adapter, thumbnail decoding, orientation
// and drawing. Nothing may crash, a canvas is box-sized, and nothing is drawn
// for a picture without size.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_preview";
    static char* argv[] = {name, nullptr};
    static const bool platform = qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    (void)platform;
    const std::string path = quorbel::writeInput(data, size, ".jpg");
    const QSize box(121, 120);
    const quorbel::PreviewPicture preview =
        quorbel::renderPreview(QString::fromStdString(path), box);
    if (!preview.canvas.isNull() && preview.canvas.size() != box)
        std::abort();
    if (!preview.canvas.isNull() && preview.pictureSize.isEmpty())
        std::abort();
    return 0;
}
