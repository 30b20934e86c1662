#include "image/Histogram.h"
#include "image/DisplayInformation.h"

#include <gtest/gtest.h>

using namespace gp;

TEST(Histogram, CountsChannelsOfTrueColour)
{
    Image image = Image::create(3, 2, 24).value();
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = 7; // blue
            p[1] = std::uint8_t(x); // green 0, 1, 2
            p[2] = std::uint8_t(200 + y); // red
        }
    const Histogram h = computeHistogram(image);
    EXPECT_FALSE(h.grayscale);
    EXPECT_EQ(h.blue[7], 6u);
    EXPECT_EQ(h.green[0], 2u);
    EXPECT_EQ(h.green[2], 2u);
    EXPECT_EQ(h.red[200], 3u);
    EXPECT_EQ(h.red[201], 3u);
    EXPECT_EQ(h.combined[7], 6u);
    EXPECT_EQ(h.combined[0], 2u);
    std::uint64_t total = 0;
    for (auto c : h.combined)
        total += c;
    EXPECT_EQ(total, 18u);
}

TEST(Histogram, IndexedImagesCountTheirColourTableAndGrayImagesOneTable)
{
    Image indexed = Image::create(4, 1, 4, 16).value();
    indexed.setColor(1, Rgbq { 30, 20, 10, 0 });
    indexed.row(0)[0] = 0x11;
    indexed.row(0)[1] = 0x10;
    const Histogram h = computeHistogram(indexed);
    EXPECT_EQ(h.red[10], 3u);
    EXPECT_EQ(h.green[20], 3u);
    EXPECT_EQ(h.blue[30], 3u);
    EXPECT_EQ(h.red[0], 1u);

    Image gray = Image::create(2, 2, 8, 256).value();
    for (int i = 0; i < 256; ++i)
        gray.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    gray.row(0)[0] = 9;
    gray.row(0)[1] = 9;
    gray.row(1)[0] = 100;
    const Histogram g = computeHistogram(gray);
    EXPECT_TRUE(g.grayscale);
    EXPECT_EQ(g.combined[9], 2u);
    EXPECT_EQ(g.combined[100], 1u);
    EXPECT_EQ(g.combined[0], 1u);
    EXPECT_EQ(g.red[9], 0u);
}

TEST(Histogram, ColumnsScaleByTheBusyLevels)
{
    LevelCounts counts {};
    counts[0] = 1000;
    counts[1] = 100;
    // total 1101, busy 3, scale 3 × 100 / 256 + 1 = 2: level 1 rises 100 × 100 × 2 / 1101 = 18;
    // level 0 would rise past the top and stops at the margin.
    const auto tops = histogramColumnTops(counts, 256, 100);
    ASSERT_EQ(tops.size(), 256u);
    EXPECT_EQ(tops[0], 4);
    EXPECT_EQ(tops[1], 100 - 18);
    EXPECT_EQ(tops[2], 100);
    // A level so busy that the scale overshoots stops at the margin.
    LevelCounts wide {};
    for (auto& c : wide)
        c = 50;
    wide[128] = 5000;
    const auto clipped = histogramColumnTops(wide, 256, 100);
    EXPECT_EQ(clipped[128], 4);
    // Narrow panels sample levels (255x + w/2) / w.
    LevelCounts one {};
    one[128] = 20;
    const auto narrow = histogramColumnTops(one, 2, 50);
    EXPECT_EQ(narrow[0], 50);
    EXPECT_LT(narrow[1], 50);
}

TEST(DisplayInformation, ResolutionUnitsAndNames)
{
    EXPECT_EQ(imageDpi(11811, 96), 300);
    EXPECT_EQ(imageDpi(0, 96), 96);
    EXPECT_EQ(imageDpi(0, 0), 1);
    EXPECT_EQ(dpiText(300), "300 dpi");
    EXPECT_EQ(lengthText(640, 300, LengthUnit::Pixel, "."), "640 Pixel");
    EXPECT_EQ(lengthText(600, 300, LengthUnit::Inch, ","), "2,00 Inch");
    EXPECT_EQ(lengthText(150, 300, LengthUnit::Centimetre, "."), "1.27 Cm");
    EXPECT_EQ(typeNameText(ImageType::Rgb24), "True Color (24 Bits)");
    EXPECT_EQ(typeNameText(ImageType::BlackWhite), "Black and White (1 Bit)");
    const Image image = Image::create(100, 100, 24).value();
    EXPECT_EQ(blockSizeText(image), "30 K Bytes");
}
