#include "editing/workflow/CropRectangle.h"

#include "Pictures.h"
#include "FakeHost.h"

#include <gtest/gtest.h>

using namespace gp;
using namespace gp::test;

namespace {

// A 600 × 400 displayed photo at (20, 10) in the window.
const Rect kDisplayed { 20, 10, 620, 410 };

CropRectangle cropFor(int cellW, int cellH, std::string_view name = "4x6")
{
    CropRectangle crop(kDisplayed);
    crop.setProportion(name, cellW, cellH);
    return crop;
}

} // namespace

TEST(CropInitialRectangle, PortraitCellOnLandscapePhotoIsCentredAndOnePixelShort)
{
    const CropRectangle crop = cropFor(4, 6);
    EXPECT_FALSE(crop.isFree());
    EXPECT_EQ(crop.rect().width(), 266);
    EXPECT_EQ(crop.rect().left, 20 + (600 - 266) / 2);
    EXPECT_EQ(crop.rect().top, 10);
    EXPECT_EQ(crop.rect().bottom, 409); // the photo's bottom edge less one pixel
    EXPECT_NEAR(crop.ratio(), 266.0 / 399.0, 1e-9);

    // A wider cell than the photo's proportion fills the width and is centred vertically.
    const CropRectangle wide = cropFor(3, 1);
    EXPECT_EQ(wide.rect().left, 20);
    EXPECT_EQ(wide.rect().right, 619);
    EXPECT_EQ(wide.rect().height(), 200);
    EXPECT_EQ(wide.rect().top, 10 + 100);
}

TEST(CropInitialRectangle, FreeInAnyCaseTakesTheWholePhoto)
{
    for (const char* name : { "FREE", "Free Style", "my free cell" }) {
        const CropRectangle crop = cropFor(4, 6, name);
        EXPECT_TRUE(crop.isFree()) << name;
        EXPECT_EQ(crop.rect(), (Rect { 20, 10, 619, 409 })) << name;
    }
}

TEST(CropHitTest, CornersEdgesInsideAndTolerance)
{
    CropRectangle fixed = cropFor(4, 6);
    const Rect r = fixed.rect();
    EXPECT_EQ(fixed.hitTest({ r.left + 4, r.top - 4 }), CropHandle::TopLeft);
    EXPECT_EQ(fixed.hitTest({ r.left, r.bottom }), CropHandle::BottomLeft);
    EXPECT_EQ(fixed.hitTest({ r.right - 3, r.top }), CropHandle::TopRight);
    EXPECT_EQ(fixed.hitTest({ r.right, r.bottom + 2 }), CropHandle::BottomRight);
    // Fixed proportions have no edge handles: the middle of the left edge is nothing.
    EXPECT_EQ(fixed.hitTest({ r.left, (r.top + r.bottom) / 2 }), CropHandle::None);
    EXPECT_EQ(fixed.hitTest({ r.left + 10, r.top + 10 }), CropHandle::Inside);
    EXPECT_EQ(fixed.hitTest({ r.left - 5, r.top }), CropHandle::None);

    CropRectangle free = cropFor(1, 1, "free");
    free.drag(CropHandle::TopLeft, 100, 100);
    const Rect f = free.rect();
    EXPECT_EQ(free.hitTest({ f.left - 4, f.top + 50 }), CropHandle::LeftEdge);
    EXPECT_EQ(free.hitTest({ f.right + 1, f.top + 50 }), CropHandle::RightEdge);
    EXPECT_EQ(free.hitTest({ f.left + 50, f.top }), CropHandle::TopEdge);
    EXPECT_EQ(free.hitTest({ f.left + 50, f.bottom - 4 }), CropHandle::BottomEdge);
    EXPECT_EQ(free.hitTest({ f.left + 50, f.bottom - 5 }), CropHandle::Inside);

    EXPECT_EQ(CropRectangle::cursorFor(CropHandle::TopLeft, false), CropCursor::ResizeNwSe);
    EXPECT_EQ(CropRectangle::cursorFor(CropHandle::TopRight, false), CropCursor::ResizeNeSw);
    EXPECT_EQ(CropRectangle::cursorFor(CropHandle::Inside, true), CropCursor::ClosedHand);
    EXPECT_EQ(CropRectangle::cursorFor(CropHandle::None, false), CropCursor::Arrow);
}

TEST(CropDrag, FixedCornerOutwardGrowsAllSidesAndKeepsTheRatio)
{
    CropRectangle crop = cropFor(4, 6);
    crop.drag(CropHandle::BottomRight, -30, -60); // shrink about the centre first
    const Rect before = crop.rect();
    ASSERT_LT(before.height(), 399);
    crop.drag(CropHandle::TopLeft, -5, -20);
    const Rect after = crop.rect();
    EXPECT_LT(after.left, before.left);
    EXPECT_LT(after.top, before.top);
    EXPECT_GT(after.right, before.right);
    EXPECT_GT(after.bottom, before.bottom);
    EXPECT_NEAR(double(after.width()) / after.height(), crop.ratio(), 0.01);
    EXPECT_NEAR((after.left + after.right) / 2.0, (before.left + before.right) / 2.0, 1.0);

    // Growing further stops at the photo and the ratio still holds.
    crop.drag(CropHandle::TopLeft, -500, -500);
    EXPECT_GE(crop.rect().top, kDisplayed.top);
    EXPECT_LT(crop.rect().bottom, kDisplayed.bottom);
    EXPECT_NEAR(double(crop.rect().width()) / crop.rect().height(), crop.ratio(), 0.01);

    // Shrinking stops at 80 pixels on the short side; the long side follows the ratio.
    crop.drag(CropHandle::BottomRight, 0, -1000);
    EXPECT_EQ(crop.rect().width(), 80);
    EXPECT_NEAR(crop.rect().height(), 120, 1);
}

TEST(CropDrag, FreeEdgesKeepFortyPixelsAndMovesStayOnThePhoto)
{
    CropRectangle crop = cropFor(0, 0, "FREE");
    crop.drag(CropHandle::LeftEdge, 1000, 0);
    EXPECT_EQ(crop.rect().width(), 40);
    crop.drag(CropHandle::TopEdge, 0, 1000);
    EXPECT_EQ(crop.rect().height(), 40);
    EXPECT_EQ(crop.rect().bottom, 409);

    crop.drag(CropHandle::Inside, 5000, -5000);
    EXPECT_EQ(crop.rect().top, kDisplayed.top);
    EXPECT_LT(crop.rect().right, kDisplayed.right); // moved in by the one-pixel rule
    EXPECT_EQ(crop.rect().width(), 40);
}

TEST(CropResult, RectangleScalesBackToThePhotoAndCutsItsPixels)
{
    CropRectangle crop = cropFor(0, 0, "free");
    crop.drag(CropHandle::TopLeft, 60, 40); // ten photo pixels per display pixel
    const auto rect = crop.photoRect({ 6000, 4000 });
    ASSERT_TRUE(rect);
    EXPECT_EQ(*rect, (Rect { 600, 400, 5990, 3990 }));

    // A portrait photo scales by its height.
    CropRectangle portrait(Rect { 0, 0, 200, 400 });
    portrait.setProportion("free", 0, 0);
    EXPECT_EQ(*portrait.photoRect({ 1000, 2000 }), (Rect { 0, 0, 995, 1995 }));

    FakeHost host;
    Allocator allocator(host);
    const Image photo = randomImage(60, 40, 24, 7);
    CropRectangle small(Rect { 0, 0, 600, 400 });
    small.setProportion("free", 0, 0);
    small.drag(CropHandle::TopLeft, 100, 50);
    const auto cut = cropPhoto(photo, small, allocator);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->width(), 50);
    EXPECT_EQ(cut->height(), 35);
    EXPECT_EQ(cut->row(0)[0], photo.row(5)[3 * 10]);
    EXPECT_EQ(cut->row(34)[3 * 49 + 2], photo.row(39)[3 * 59 + 2]);

    // Narrower than 40 display pixels: no result.
    CropRectangle narrow(Rect { 0, 0, 30, 400 });
    narrow.setProportion("free", 0, 0);
    EXPECT_FALSE(narrow.photoRect({ 30, 400 }));
    EXPECT_FALSE(cropPhoto(photo, narrow, allocator));
}
