// SPDX-License-Identifier: GPL-3.0-or-later
#include "global/picturefiles.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

struct PicCase {
    const char* name;
    std::string path;
    PathRule rule;
    bool picture;
};

class IsPicFileTest : public ::testing::TestWithParam<PicCase> {};

TEST_P(IsPicFileTest, TellsPicturesByExtension) {
    const PicCase& c = GetParam();
    EXPECT_EQ(isPicFile(c.path, c.rule), c.picture);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsPicFileTest,
    ::testing::Values(PicCase{"LowerJpg", "a.jpg", posixPathRule, true},
                      PicCase{"UpperJpeg", "a.JPEG", posixPathRule, true},
                      PicCase{"MixedTiff", "a.Tiff", posixPathRule, true},
                      PicCase{"MixedJpgInFolder", "/home/u/photo.Jpg", posixPathRule, true},
                      PicCase{"Dib", "/p/x.dib", posixPathRule, true},
                      PicCase{"Rle", "/p/x.RLE", posixPathRule, true},
                      PicCase{"Emf", "/p/x.emf", posixPathRule, true},
                      PicCase{"Wmf", "/p/x.wmf", posixPathRule, true},
                      PicCase{"Bmp", "/p/x.bmp", posixPathRule, true},
                      PicCase{"Ico", "/p/x.ico", posixPathRule, true},
                      PicCase{"Png", "/p/x.png", posixPathRule, true},
                      PicCase{"Tif", "/p/x.tif", posixPathRule, true},
                      PicCase{"Gif", "/p/x.gif", posixPathRule, true},
                      PicCase{"Jpe", "a.jpe", posixPathRule, false},
                      PicCase{"Tiff2", "a.tiff2", posixPathRule, false},
                      PicCase{"DoubleExtension", "a.jpg.txt", posixPathRule, false},
                      PicCase{"NoExtension", "README", posixPathRule, false},
                      PicCase{"DotOnly", "a.", posixPathRule, false},
                      PicCase{"Empty", "", posixPathRule, false},
                      PicCase{"DotInFolderOnly", "dir.jpg/file", posixPathRule, false},
                      PicCase{"WinDotInFolderOnly", "dir.jpg\\file", windowsGbkPathRule, false},
                      PicCase{"WinJpg", "C:\\p\\a.jpg", windowsGbkPathRule, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct FitCase {
    const char* name;
    Rect frame;
    Rect picture;
    Rect placed;
};

class FitRectTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitRectTest, CentresTheScaledPictureRoundingHalvesToEven) {
    const FitCase& c = GetParam();
    Rect source = c.picture;
    fitRect(c.frame, source);
    EXPECT_EQ(source, c.placed);
}

// Rect{X, Y, Width, Height}; the frame's X and Y must not matter.
INSTANTIATE_TEST_SUITE_P(
    Cases, FitRectTest,
    ::testing::Values(
        FitCase{"Landscape640x480", {5, 5, 121, 120}, {0, 0, 640, 480}, {0, 14, 121, 91}},
        FitCase{"Portrait100x300", {0, 0, 121, 120}, {0, 0, 100, 300}, {40, 0, 40, 120}},
        FitCase{"Small50x50HalfRoundsToZero", {0, 0, 121, 120}, {0, 0, 50, 50}, {0, 0, 120, 120}},
        FitCase{"OnePixel", {0, 0, 121, 120}, {0, 0, 1, 1}, {0, 0, 120, 120}},
        FitCase{"MainBox100x100", {8, 3, 156, 151}, {0, 0, 100, 100}, {2, 0, 151, 151}},
        FitCase{"MainBox1024x768", {0, 0, 156, 151}, {0, 0, 1024, 768}, {0, 17, 156, 117}},
        FitCase{"ExactlyBoxSize", {0, 0, 121, 120}, {0, 0, 121, 120}, {0, 0, 121, 120}},
        FitCase{"SourceOffsetIgnored", {0, 0, 121, 120}, {7, 9, 121, 120}, {0, 0, 121, 120}}),
    [](const auto& info) { return std::string(info.param.name); });

// A picture that reported no size must not divide by zero: it gets no room.
TEST(FitRectTest, PictureWithoutSizeGetsEmptyRectangle) {
    for (Rect picture : {Rect{0, 0, 0, 0}, Rect{0, 0, 640, 0}, Rect{0, 0, 0, 480}}) {
        fitRect(Rect{0, 0, 121, 120}, picture);
        EXPECT_EQ(picture, Rect{});
    }
}

TEST(FitRectTest, EmptyFrameGivesEmptyPlacement) {
    Rect picture{0, 0, 640, 480};
    fitRect(Rect{0, 0, 0, 0}, picture);
    EXPECT_EQ(picture, Rect{});
}

} // namespace
} // namespace quorbel
