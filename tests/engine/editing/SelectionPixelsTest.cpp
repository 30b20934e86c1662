#include "editing/selection/ConvertForPaste.h"
#include "editing/selection/FillOutsideMask.h"
#include "editing/selection/LiftSelection.h"
#include "editing/selection/MaskBounds.h"
#include "editing/NearestIndex.h"
#include "editing/selection/SelectionContent.h"
#include "editing/selection/SwapSelection.h"

#include "Pictures.h"
#include "FakeHost.h"

#include <gtest/gtest.h>

using namespace gp;
using namespace gp::test;

namespace {

const Rgb kActive { 200, 100, 50 };

class SelectionPixels : public ::testing::Test {
protected:
    FakeHost host;
    Allocator allocator { host };

    // A diagonal mask: pixel (x, y) selected when x >= y.
    static Image diagonalMask(int size)
    {
        Image mask = Image::createMask(size, size).value();
        for (int y = 0; y < size; ++y)
            for (int x = y; x < size; ++x)
                setPixelIndex(mask.row(y), x, 1, 1);
        return mask;
    }
};

} // namespace

TEST_F(SelectionPixels, LiftCopiesTheRectangleAndFillsWhatLiesOutside)
{
    const Image picture = randomImage(10, 8, 24, 1);
    const Image lifted = *liftSelection(picture, Rect { 7, -2, 12, 3 }, kActive, allocator);
    ASSERT_EQ(lifted.width(), 5);
    ASSERT_EQ(lifted.height(), 5);
    EXPECT_EQ(screenPixel(lifted, 0, 2), screenPixel(picture, 7, 0));
    EXPECT_EQ(screenPixel(lifted, 2, 4), screenPixel(picture, 9, 2));
    EXPECT_EQ(screenPixel(lifted, 0, 0), (Bgr { 50, 100, 200 }));
    EXPECT_EQ(screenPixel(lifted, 3, 3), (Bgr { 50, 100, 200 }));

    Image four = randomImage(6, 6, 4, 2);
    four.setColor(9, Rgbq { 50, 100, 200, 0 });
    const Image fourLifted = *liftSelection(four, Rect { 3, 3, 8, 5 }, kActive, allocator);
    EXPECT_EQ(screenIndex(fourLifted, 0, 0), screenIndex(four, 3, 3));
    EXPECT_EQ(screenIndex(fourLifted, 4, 1), 9);
}

TEST_F(SelectionPixels, SwappingTwiceRestoresBothAndTouchesOnlySelectedPixels)
{
    for (int bits : { 1, 4, 8, 24 }) {
        SCOPED_TRACE(bits);
        Image picture = randomImage(9, 7, bits, 3);
        const Image original = picture.clone();
        const Image mask = diagonalMask(4);
        Image floating = randomImage(4, 4, bits, 4);
        const Image floatingBefore = floating.clone();
        swapSelection(picture, mask, floating, 6, 5); // partly outside the picture
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 9; ++x) {
                const int i = x - 6, r = y - 5;
                const bool selected = i >= 0 && r >= 0 && i >= r;
                EXPECT_EQ(screenValue(picture, x, y), selected ? screenValue(floatingBefore, i, r) : screenValue(original, x, y));
            }
        EXPECT_EQ(screenValue(floating, 1, 1), screenValue(original, 7, 6));
        EXPECT_EQ(screenValue(floating, 3, 3), screenValue(floatingBefore, 3, 3)); // outside the picture
        swapSelection(picture, mask, floating, 6, 5);
        EXPECT_TRUE(sameImage(picture, original));
        EXPECT_TRUE(sameImage(floating, floatingBefore));
    }
}

TEST_F(SelectionPixels, FillPaintsOneSideOfTheMask)
{
    const Image mask = diagonalMask(5);
    Image colour = randomImage(5, 5, 24, 5);
    const Image before = colour.clone();
    fillOutsideMask(colour, mask, MaskSide::Outside, kActive);
    EXPECT_EQ(screenPixel(colour, 0, 4), (Bgr { 50, 100, 200 }));
    EXPECT_EQ(screenPixel(colour, 4, 0), screenPixel(before, 4, 0));
    fillOutsideMask(colour, mask, MaskSide::Inside, Rgb { 1, 2, 3 });
    EXPECT_EQ(screenPixel(colour, 4, 0), (Bgr { 3, 2, 1 }));

    // 1-bit: the bit is set exactly when the colour's nearest index is not 0.
    Image mono = Image::create(5, 5, 1).value();
    mono.setColor(1, Rgbq { 255, 255, 255, 0 });
    fillOutsideMask(mono, mask, MaskSide::Outside, Rgb { 240, 240, 240 });
    EXPECT_EQ(screenIndex(mono, 0, 3), 1);
    EXPECT_EQ(screenIndex(mono, 3, 0), 0);
}

TEST_F(SelectionPixels, NearestIndexUsesGrayLevelsOrTheFirstClosestEntry)
{
    EXPECT_EQ(nearestPaletteIndex(grayImage(2, 2), Rgb { 255, 0, 0 }), 77); // 76.5 + 0.5
    Image indexed = Image::create(2, 2, 8, 4).value();
    indexed.setColor(0, Rgbq { 0, 0, 0, 0 });
    indexed.setColor(1, Rgbq { 10, 10, 10, 0 });
    indexed.setColor(2, Rgbq { 10, 10, 10, 0 });
    indexed.setColor(3, Rgbq { 0, 0, 250, 0 });
    EXPECT_EQ(nearestPaletteIndex(indexed, Rgb { 9, 12, 10 }), 1);
    EXPECT_EQ(nearestPaletteIndex(indexed, Rgb { 200, 0, 0 }), 3);
}

TEST_F(SelectionPixels, MaskBoundsFindTheSelectedPixels)
{
    Image mask = Image::createMask(20, 10).value();
    EXPECT_FALSE(maskBounds(mask));
    setPixelIndex(mask.row(2), 13, 1, 1);
    setPixelIndex(mask.row(6), 4, 1, 1);
    EXPECT_EQ(maskBounds(mask), (Rect { 4, 2, 14, 7 }));
    const Image full = *fullMask(13, 3, allocator);
    EXPECT_EQ(maskBounds(full), (Rect { 0, 0, 13, 3 }));
    EXPECT_EQ(full.row(0)[1], 0xF8);
}

TEST_F(SelectionPixels, PasteConversionUsesLuminanceAndFillsBeyondTheCopy)
{
    Image copy = Image::create(2, 1, 24).value();
    setScreenPixel(copy, 0, 0, Bgr { 0, 0, 255 });
    setScreenPixel(copy, 1, 0, Bgr { 255, 255, 255 });
    const Image gray = *convertForPaste(copy, PasteTarget::Gray8, 3, 2, Rgb { 0, 255, 0 }, allocator);
    EXPECT_EQ(screenIndex(gray, 0, 0), (76 * 255 + 127) / 255);
    EXPECT_EQ(screenIndex(gray, 1, 0), 255);
    EXPECT_EQ(screenIndex(gray, 2, 0), (150 * 255 + 127) / 255);
    EXPECT_EQ(screenIndex(gray, 0, 1), (150 * 255 + 127) / 255);
    EXPECT_EQ(gray.color(200), (Rgbq { 200, 200, 200, 0 }));

    const Image four = randomImage(3, 3, 4, 6);
    const Image rgb = *convertForPaste(four, PasteTarget::Rgb24, 3, 3, kActive, allocator);
    const Rgbq c = four.color(screenIndex(four, 2, 1));
    EXPECT_EQ(screenPixel(rgb, 2, 1), (Bgr { c.blue, c.green, c.red }));
}
