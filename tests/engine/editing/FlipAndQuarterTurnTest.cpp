#include "editing/transform/Flip.h"
#include "editing/transform/QuarterTurn.h"

#include "Pictures.h"
#include "FakeHost.h"

#include <gtest/gtest.h>

using namespace gp;
using namespace gp::test;

namespace {

struct Shape {
    int width;
    int height;
};

const int kDepths[] = { 1, 4, 8, 24 };
const Shape kShapes[] = { { 1, 1 }, { 2, 3 }, { 7, 5 }, { 13, 9 }, { 33, 17 }, { 40, 2 } };

// True when every bit past the last pixel of every row is zero.
bool paddingIsZero(const Image& image)
{
    const std::size_t usedBits = std::size_t(image.width()) * std::size_t(image.bitsPerPixel());
    for (int r = 0; r < image.height(); ++r) {
        const std::uint8_t* row = image.storedRow(r);
        for (std::size_t bit = usedBits; bit < image.rowSize() * 8; ++bit)
            if ((row[bit / 8] >> (7 - bit % 8)) & 1)
                return false;
    }
    return true;
}

class FlipAndTurn : public ::testing::Test {
protected:
    FakeHost host;
    Allocator allocator { host };

    Image turn(const Image& image, int degrees)
    {
        auto result = rotateQuarterTurns(image, degrees, allocator);
        EXPECT_TRUE(result);
        return std::move(*result);
    }
};

} // namespace

TEST_F(FlipAndTurn, FlipsAndTurnsAreExactInversesForEveryDepthAndOddSizes)
{
    unsigned seed = 1;
    for (int bits : kDepths) {
        for (const Shape& shape : kShapes) {
            SCOPED_TRACE(testing::Message() << bits << "-bit " << shape.width << "x" << shape.height);
            const Image image = randomImage(shape.width, shape.height, bits, seed++);
            const Image h = *flipHorizontal(image, allocator);
            const Image v = *flipVertical(image, allocator);
            EXPECT_TRUE(sameImage(*flipHorizontal(h, allocator), image));
            EXPECT_TRUE(sameImage(*flipVertical(v, allocator), image));
            EXPECT_TRUE(paddingIsZero(h));

            const Image once = turn(image, 90);
            EXPECT_EQ(once.width(), shape.height);
            EXPECT_EQ(once.height(), shape.width);
            EXPECT_TRUE(sameImage(turn(turn(turn(once, 90), 90), 90), image));
            EXPECT_TRUE(sameImage(turn(once, 270), image));
            const Image half = turn(image, 180);
            EXPECT_TRUE(sameImage(half, *flipVertical(h, allocator)));
            EXPECT_TRUE(paddingIsZero(half));
            EXPECT_TRUE(paddingIsZero(once));
        }
    }
}

TEST_F(FlipAndTurn, PixelsLandWhereTheTurnSends)
{
    for (int bits : kDepths) {
        SCOPED_TRACE(bits);
        const Image image = randomImage(11, 6, bits, 77);
        const int w = image.width(), h = image.height();
        const Image right = turn(image, 90);
        const Image left = turn(image, 270);
        const Image mirrored = *flipHorizontal(image, allocator);
        const Image upsideDown = *flipVertical(image, allocator);
        for (int y = 0; y < w; ++y)
            for (int x = 0; x < h; ++x) {
                EXPECT_EQ(screenValue(right, x, y), screenValue(image, y, h - 1 - x));
                EXPECT_EQ(screenValue(left, x, y), screenValue(image, w - 1 - y, x));
            }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                EXPECT_EQ(screenValue(mirrored, x, y), screenValue(image, w - 1 - x, y));
                EXPECT_EQ(screenValue(upsideDown, x, y), screenValue(image, x, h - 1 - y));
            }
    }
}

TEST_F(FlipAndTurn, OddWidthFourBitRowKeepsItsPadNibbleZero)
{
    Image image = Image::create(5, 1, 4).value();
    for (int x = 0; x < 5; ++x)
        setPixelIndex(image.row(0), x, 4, x + 1);
    const Image mirrored = *flipHorizontal(image, allocator);
    EXPECT_EQ(mirrored.row(0)[0], 0x54);
    EXPECT_EQ(mirrored.row(0)[1], 0x32);
    EXPECT_EQ(mirrored.row(0)[2], 0x10);
}

TEST_F(FlipAndTurn, OneBitHalfTurnOfOddWidthLeavesRowEndsZero)
{
    Image image = Image::create(13, 3, 1).value();
    for (int r = 0; r < 3; ++r) {
        image.storedRow(r)[0] = 0xFF;
        image.storedRow(r)[1] = 0xF8; // 13 pixels set, the 3 bits after them clear
    }
    const Image half = turn(image, 180);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(half.storedRow(r)[0], 0xFF);
        EXPECT_EQ(half.storedRow(r)[1], 0xF8);
        EXPECT_EQ(half.storedRow(r)[2], 0);
        EXPECT_EQ(half.storedRow(r)[3], 0);
    }
}

TEST_F(FlipAndTurn, KeepsHeaderColourTableAndResolution)
{
    Image image = randomImage(9, 4, 8, 5);
    image.setResolution(3780, 2000);
    const Image right = turn(image, 90);
    EXPECT_EQ(right.colorCount(), 256);
    EXPECT_EQ(right.color(17), image.color(17));
    EXPECT_EQ(right.xPelsPerMeter(), 3780);
    EXPECT_EQ(right.yPelsPerMeter(), 2000);
    EXPECT_EQ(right.imageSize(), right.rowSize() * 9);
}

TEST_F(FlipAndTurn, EscapeStopsWithNothingAndProgressIsReported)
{
    const Image image = randomImage(8, 40, 24, 3);
    auto whole = flipHorizontal(image, allocator);
    ASSERT_TRUE(whole);
    ASSERT_GE(host.statusTexts.size(), 4u);
    EXPECT_EQ(host.statusTexts[0], "  Processing: 0%");
    EXPECT_EQ(host.statusTexts[1], "  Processing: 40%");
    EXPECT_EQ(host.statusTexts[2], "  Processing: 80%");
    EXPECT_EQ(host.statusTexts.back(), "  Ready");
    EXPECT_EQ(host.waitCursorDepth, 0);

    host.escapeAfterPolls = 10;
    EXPECT_FALSE(flipHorizontal(image, allocator));
    EXPECT_FALSE(rotateQuarterTurns(image, 90, allocator));
    EXPECT_EQ(host.waitCursorDepth, 0);
    // A mask is never stopped half way.
    EXPECT_TRUE(flipVertical(image, allocator, Interrupt::Never));
}

TEST_F(FlipAndTurn, RefusesOtherAnglesAndReportsMemoryShortage)
{
    const Image image = randomImage(4, 4, 8, 9);
    EXPECT_FALSE(rotateQuarterTurns(image, 45, allocator));
    EXPECT_TRUE(host.messages.empty());
    allocator.setCeiling(64);
    EXPECT_FALSE(flipVertical(image, allocator));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "There is not enough memory.");
}
