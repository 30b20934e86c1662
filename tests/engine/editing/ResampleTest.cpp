#include "editing/transform/Resample.h"

#include "Pictures.h"
#include "FakeHost.h"

#include <gtest/gtest.h>

#include <set>

using namespace gp;
using namespace gp::test;

namespace {

class Resample : public ::testing::Test {
protected:
    FakeHost host;
    Allocator allocator { host };

    Image grayRow(std::initializer_list<int> values)
    {
        Image image = grayImage(int(values.size()), 1);
        int x = 0;
        for (int v : values)
            image.row(0)[x++] = std::uint8_t(v);
        return image;
    }

    std::vector<int> row(const Image& image, int y = 0)
    {
        std::vector<int> values;
        for (int x = 0; x < image.width(); ++x)
            values.push_back(screenValue(image, x, y));
        return values;
    }
};

} // namespace

TEST_F(Resample, SameSizeIsAnExactCopyAndTheResolutionIsSet)
{
    const Image image = randomImage(17, 9, 24, 1);
    auto same = resample(image, 17, 9, 300, allocator);
    ASSERT_TRUE(same);
    EXPECT_TRUE(samePixels(*same, image));
    // 300 × 39.37007874015747 + 0.5 = 11811.52…
    EXPECT_EQ(same->xPelsPerMeter(), 11811);
    EXPECT_EQ(same->yPelsPerMeter(), 11811);
    EXPECT_EQ(pixelsPerMeter(72), 2835);
}

TEST_F(Resample, EnlargingInterpolatesInEighthsAndHoldsTheLastSample)
{
    EXPECT_EQ(row(*resample(grayRow({ 0, 255 }), 4, 1, 96, allocator)), (std::vector<int> { 0, 128, 255, 255 }));
    EXPECT_EQ(row(*resample(grayRow({ 0, 100, 200, 40 }), 2, 1, 96, allocator)), (std::vector<int> { 0, 200 }));
    // Ratio 3/8: weights 8, 5, 2, 7, 4, 1, 6, 3 of the left sample (rounded eighths).
    EXPECT_EQ(row(*resample(grayRow({ 0, 64, 128 }), 8, 1, 96, allocator)),
        (std::vector<int> { 0, 24, 48, 72, 96, 120, 128, 128 }));
}

TEST_F(Resample, RowsRunInStorageOrderFromTheBottom)
{
    Image image = grayImage(1, 2);
    image.row(0)[0] = 0; // top
    image.row(1)[0] = 255; // bottom, stored first
    const Image taller = *resample(image, 1, 4, 96, allocator);
    EXPECT_EQ(screenIndex(taller, 0, 3), 255);
    EXPECT_EQ(screenIndex(taller, 0, 2), 128);
    EXPECT_EQ(screenIndex(taller, 0, 1), 0);
    EXPECT_EQ(screenIndex(taller, 0, 0), 0);
}

TEST_F(Resample, IndexedAndOneBitImagesTakeTheNearestSample)
{
    Image image = randomImage(23, 11, 8, 2);
    std::set<int> used;
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 23; ++x) {
            image.row(y)[x] = std::uint8_t((x * 7 + y * 3) % 5 + 40);
            used.insert(image.row(y)[x]);
        }
    for (auto [w, h] : { std::pair { 50, 30 }, { 7, 4 }, { 23, 40 } }) {
        const Image result = *resample(image, w, h, 96, allocator);
        EXPECT_EQ(result.color(42), image.color(42));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                EXPECT_TRUE(used.count(screenIndex(result, x, y)));
    }

    Image mono = Image::create(4, 1, 1).value();
    mono.row(0)[0] = 0b0101'0000;
    EXPECT_EQ(row(*resample(mono, 8, 1, 96, allocator)), (std::vector<int> { 0, 1, 1, 0, 0, 1, 1, 1 }));
}

TEST_F(Resample, RefusesEmptySizesAndStopsOnEscape)
{
    const Image image = randomImage(8, 8, 24, 3);
    EXPECT_FALSE(resample(image, 0, 5, 96, allocator));
    EXPECT_FALSE(resample(image, 5, -1, 96, allocator));
    EXPECT_TRUE(host.messages.empty());
    host.escapeAfterPolls = 2;
    EXPECT_FALSE(resample(image, 16, 16, 96, allocator));
    EXPECT_EQ(host.waitCursorDepth, 0);
}
