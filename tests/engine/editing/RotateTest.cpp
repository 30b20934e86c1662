#include "editing/transform/Rotate.h"
#include "editing/NearestIndex.h"
#include "editing/transform/QuarterTurn.h"

#include "Pictures.h"
#include "FakeHost.h"

#include <gtest/gtest.h>

#include <set>

using namespace gp;
using namespace gp::test;

namespace {

const Rgb kFill { 10, 20, 30 };

class Rotate : public ::testing::Test {
protected:
    FakeHost host;
    Allocator allocator { host };
};

} // namespace

TEST_F(Rotate, FortyFiveDegreesOfTwoHundredByHundredGivesTwoHundredTwelveSquare)
{
    const Image image = randomImage(200, 100, 24, 1);
    auto turned = rotateByAngle(image, 45, kFill, allocator);
    ASSERT_TRUE(turned);
    EXPECT_EQ(turned->width(), 212);
    EXPECT_EQ(turned->height(), 212);
    EXPECT_EQ(rotatedSize(200, 100, 45), (Size { 212, 212 }));
    EXPECT_EQ(rotatedSize(200, 100, 90), (Size { 100, 200 }));
    EXPECT_EQ(turned->imageSize(), turned->rowSize() * 212);
}

TEST_F(Rotate, CornersTakeTheFillColourOrItsNearestIndex)
{
    const Image colour = randomImage(60, 40, 24, 2);
    const Image turned = *rotateByAngle(colour, 30, kFill, allocator);
    const int w = turned.width(), h = turned.height();
    for (auto [x, y] : { std::pair { 0, 0 }, { w - 1, 0 }, { 0, h - 1 }, { w - 1, h - 1 } })
        EXPECT_EQ(screenPixel(turned, x, y), (Bgr { 30, 20, 10 }));

    Image gray = grayImage(60, 40);
    const Image grayTurned = *rotateByAngle(gray, 30, kFill, allocator);
    // 0.30 × 10 + 0.59 × 20 + 0.11 × 30 + 0.5 = 18.6
    EXPECT_EQ(screenIndex(grayTurned, 0, 0), 18);
    EXPECT_EQ(screenIndex(grayTurned, grayTurned.width() - 1, grayTurned.height() - 1), 18);

    Image mono = Image::create(20, 20, 1).value();
    mono.setColor(0, Rgbq { 255, 255, 255, 0 });
    mono.setColor(1, Rgbq { 0, 0, 0, 0 });
    const Image monoTurned = *rotateByAngle(mono, 20, Rgb { 250, 250, 250 }, allocator);
    EXPECT_EQ(screenIndex(monoTurned, 0, 0), 0);
    EXPECT_EQ(screenIndex(*rotateByAngle(mono, 20, Rgb { 5, 5, 5 }, allocator), 0, 0), 1);
}

TEST_F(Rotate, TurnsClockwiseAsSeenOnScreen)
{
    // Left half dark, right half bright. Turned clockwise by 45 degrees the top-left corner comes
    // to the top middle and the top-right corner to the right middle.
    Image image = grayImage(100, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 50; x < 100; ++x)
            image.row(y)[x] = 255;
    const Image turned = *rotateByAngle(image, 45, Rgb { 128, 128, 128 }, allocator);
    ASSERT_EQ(turned.width(), 141);
    EXPECT_EQ(screenIndex(turned, 70, 4), 0);
    EXPECT_EQ(screenIndex(turned, 136, 70), 255);
    EXPECT_EQ(screenIndex(turned, 4, 70), 0);
    EXPECT_EQ(screenIndex(turned, 70, 136), 255);
}

TEST_F(Rotate, InterpolationWeightsSumToOneSoFlatAreasStayFlat)
{
    Image image = Image::create(50, 30, 24).value();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 50; ++x)
            setScreenPixel(image, x, y, Bgr { 201, 77, 3 });
    const Image turned = *rotateByAngle(image, 17, kFill, allocator);
    const int cx = turned.width() / 2, cy = turned.height() / 2;
    for (int y = cy - 8; y <= cy + 8; ++y)
        for (int x = cx - 15; x <= cx + 15; ++x)
            EXPECT_EQ(screenPixel(turned, x, y), (Bgr { 201, 77, 3 }));
}

TEST_F(Rotate, IndexedPixelsAreNeverBlended)
{
    Image image = randomImage(31, 17, 8, 4);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 31; ++x)
            image.row(y)[x] = (x + y) % 2 ? 3 : 7;
    const int fillIndex = nearestPaletteIndex(image, kFill);
    const Image turned = *rotateByAngle(image, 33, kFill, allocator);
    std::set<int> seen;
    for (int y = 0; y < turned.height(); ++y)
        for (int x = 0; x < turned.width(); ++x)
            seen.insert(screenIndex(turned, x, y));
    EXPECT_EQ(seen, (std::set<int> { 3, 7, fillIndex }));

    const Image four = randomImage(9, 9, 4, 5);
    const Image fourTurned = *rotateByAngle(four, 10, kFill, allocator);
    EXPECT_EQ(fourTurned.bitsPerPixel(), 4);
    EXPECT_EQ(fourTurned.colorCount(), 16);
}

TEST_F(Rotate, RightAnglesAreExactQuarterTurnsAndAnglesWrap)
{
    const Image image = randomImage(13, 7, 24, 6);
    EXPECT_TRUE(sameImage(*rotateByAngle(image, 450, kFill, allocator), *rotateQuarterTurns(image, 90, allocator)));
    EXPECT_TRUE(sameImage(*rotateByAngle(image, -90, kFill, allocator), *rotateQuarterTurns(image, 270, allocator)));
    EXPECT_TRUE(sameImage(*rotateByAngle(image, 360, kFill, allocator), image));
}

TEST_F(Rotate, MaskCornersAreUnselectedAndTheTurnIgnoresEscape)
{
    Image mask = Image::createMask(40, 20).value();
    for (int r = 0; r < 20; ++r)
        std::fill_n(mask.storedRow(r), 5, std::uint8_t(0xFF));
    host.escapeAfterPolls = 0;
    EXPECT_FALSE(rotateByAngle(mask, 30, kFill, allocator));
    auto turned = rotateByAngle(mask, 30, Rgb { 255, 255, 255 }, allocator, RotationSubject::Mask);
    ASSERT_TRUE(turned);
    EXPECT_EQ(screenIndex(*turned, 0, 0), 0);
    EXPECT_EQ(screenIndex(*turned, turned->width() / 2, turned->height() / 2), 1);
}
