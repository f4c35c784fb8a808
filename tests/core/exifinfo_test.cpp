// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/exifinfo.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

using namespace quorbel;

namespace {

struct ServesCase {
    const char* name;
    PixelSize picture, thumbnail, drawn;
    bool serves;
};

const ServesCase servesCases[] = {
    {"same frame, reduced", {4000, 3000}, {160, 120}, {156, 117}, true},
    {"portrait as shown", {3000, 4000}, {120, 160}, {113, 151}, true},
    {"aspect 0.5% off", {1000, 1000}, {201, 200}, {120, 119}, true},
    {"aspect just past 1%", {1000, 1000}, {100, 99}, {120, 119}, false},
    {"letterboxed 4:3 for 3:2", {6000, 4000}, {160, 120}, {156, 104}, false},
    {"enlarged exactly 1.5 times", {800, 600}, {100, 75}, {150, 112}, true},
    {"enlarged past 1.5 times", {800, 600}, {100, 75}, {151, 113}, false},
    {"larger than its picture", {80, 60}, {160, 120}, {121, 91}, false},
    {"thumbnail without size", {800, 600}, {0, 0}, {121, 91}, false},
    {"picture without size", {0, 0}, {160, 120}, {0, 0}, false},
    {"sizes that overflow 32-bit products", {65535, 65535}, {65535, 65535}, {156, 151}, true},
};

class ThumbnailServes : public ::testing::TestWithParam<ServesCase> {};

TEST_P(ThumbnailServes, OnlyTheSameFrameLargeEnough) {
    const ServesCase& c = GetParam();
    EXPECT_EQ(thumbnailServes(c.picture, c.thumbnail, c.drawn), c.serves);
}

INSTANTIATE_TEST_SUITE_P(Cases, ThumbnailServes, ::testing::ValuesIn(servesCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

} // namespace

TEST(OrientedSize, QuarterTurnsTradeWidthAndHeight) {
    for (int orientation = 0; orientation <= 9; ++orientation) {
        const bool quarter = orientation >= 5 && orientation <= 8;
        EXPECT_EQ(swapsSides(orientation), quarter) << orientation;
        const PixelSize expected = quarter ? PixelSize{4000, 6000} : PixelSize{6000, 4000};
        EXPECT_EQ(orientedSize({6000, 4000}, orientation), expected) << orientation;
    }
}

// A file tagged by exiftool, read without any picture decoding.
TEST(ReadExifInfo, ThumbnailAndOrientationFromATaggedPhoto) {
    const ExifInfo info = readExifInfo(QUORBEL_FIXTURES "/preview/sideways-exiftool.jpg");
    EXPECT_EQ(info.orientation, 6);
    ASSERT_GE(info.thumbnail.size(), 4u);
    EXPECT_EQ(info.thumbnail[0], 0xFF);
    EXPECT_EQ(info.thumbnail[1], 0xD8);
}

TEST(ReadExifInfo, NothingFromFilesWithoutExif) {
    for (const std::string& path : {std::string(QUORBEL_FIXTURES "/mapping/mapping.csv"),
                                    std::string("/nonexistent/photo.jpg"), std::string("/")}) {
        const ExifInfo info = readExifInfo(path);
        EXPECT_EQ(info.orientation, 1) << path;
        EXPECT_TRUE(info.thumbnail.empty()) << path;
    }
    const unsigned char soiOnly[] = {0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xFF, 'E', 'x'};
    EXPECT_EQ(exifInfoFromBytes(soiOnly, sizeof soiOnly).orientation, 1);
    EXPECT_TRUE(exifInfoFromBytes(nullptr, 0).thumbnail.empty());
}
