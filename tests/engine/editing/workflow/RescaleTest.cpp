// The crop rectangle and the frame placement carried over to a display of another density while a
// photo is open (the window moved to a screen of another scale): they keep cutting and placing the
// same part of the photo. The window tests move the screens themselves between displays.

#include "editing/workflow/CropRectangle.h"
#include "editing/workflow/DisplayCopy.h"
#include "editing/workflow/FramePlacement.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace gp;

namespace {

Rect twice(Rect r) { return { 2 * r.left, 2 * r.top, 2 * r.right, 2 * r.bottom }; }

void expectSamePlacement(const Placement& a, const Placement& b, double tolerance)
{
    EXPECT_NEAR(a.a, b.a, 1e-9);
    EXPECT_NEAR(a.b, b.b, 1e-9);
    EXPECT_NEAR(a.c, b.c, 1e-9);
    EXPECT_NEAR(a.d, b.d, 1e-9);
    EXPECT_NEAR(a.tx, b.tx, tolerance);
    EXPECT_NEAR(a.ty, b.ty, tolerance);
}

} // namespace

TEST(Rescale, CropKeepsItsPartOfThePhotoAcrossDensities)
{
    const Size photo { 4000, 2667 };
    const Size window { 517, 389 };
    CropRectangle one(fittedRect(photo, window), 1);
    one.setProportion("5x7", 7, 5);
    one.drag(CropHandle::BottomRight, -31, -47);
    one.drag(CropHandle::Inside, 13, 9);
    const auto cut = one.photoRect(photo);
    ASSERT_TRUE(cut);

    // Up to twice the pixels: the same rectangle as one made and dragged there from the start.
    const CropRectangle two = one.rescaled(fittedRect(photo, { 2 * window.width, 2 * window.height }, 2), 2);
    EXPECT_EQ(two.unit(), 2);
    EXPECT_EQ(two.rect(), twice(one.rect()));
    EXPECT_EQ(two.photoRect(photo), cut);
    EXPECT_EQ(two.isFree(), one.isFree());
    EXPECT_DOUBLE_EQ(two.ratio(), one.ratio());
    // And back again, unchanged.
    const CropRectangle back = two.rescaled(fittedRect(photo, window), 1);
    EXPECT_EQ(back.rect(), one.rect());
    EXPECT_EQ(back.photoRect(photo), cut);
    // The handles then move by the new units.
    CropRectangle moved = two;
    EXPECT_EQ(moved.drag(CropHandle::Inside, 3, 0), (Point { 2, 0 }));

    // A copy of another size takes the rectangle in proportion, inside the new copy, cutting
    // the same part of the photo to within a unit of the new copy.
    const Rect smaller = fittedRect(photo, { 300, 300 });
    const CropRectangle shrunk = one.rescaled(smaller, 1);
    const auto shrunkCut = shrunk.photoRect(photo);
    ASSERT_TRUE(shrunkCut);
    const double photoPerUnit = double(photo.width) / smaller.width();
    EXPECT_NEAR(shrunkCut->left, cut->left, photoPerUnit);
    EXPECT_NEAR(shrunkCut->right, cut->right, 2 * photoPerUnit);
    EXPECT_NEAR(shrunkCut->top, cut->top, photoPerUnit);
    EXPECT_LT(shrunk.rect().right, smaller.right);
    EXPECT_LT(shrunk.rect().bottom, smaller.bottom);

    // A rectangle not yet placed is not placed by the change.
    const CropRectangle unplaced = CropRectangle(fittedRect(photo, window), 1).rescaled(two.displayed(), 2);
    EXPECT_EQ(unplaced.rect().width(), 0);
    EXPECT_FALSE(unplaced.photoRect(photo));
}

TEST(Rescale, FramePlacementConvertsItsMovesToTheNewPixels)
{
    const Size photo { 900, 600 };
    FramePlacement one(photo, 0.5, 1);
    FramePlacement two(photo, 1.0, 2);
    one.start({ 1000, 800 });
    two.start({ 1000, 800 });
    for (const PlacementCommand command : { PlacementCommand::MoveRight, PlacementCommand::RotateLeft,
             PlacementCommand::ZoomIn, PlacementCommand::MoveUp }) {
        ASSERT_TRUE(one.command(command));
        ASSERT_TRUE(two.command(command));
        one.drag(3, -7);
        two.drag(6, -14);
    }
    // To twice the pixels the conversion is exact: the log of a display that had them all along.
    FramePlacement up = one;
    up.rescale(1.0, 2);
    ASSERT_EQ(up.log().records().size(), two.log().records().size());
    for (std::size_t i = 0; i < two.log().records().size(); ++i) {
        EXPECT_EQ(up.log().records()[i].kind, two.log().records()[i].kind) << i;
        EXPECT_EQ(up.log().records()[i].amount, two.log().records()[i].amount) << i;
    }
    expectSamePlacement(up.fullTransform(), one.fullTransform(), 1e-9);
    EXPECT_NEAR(up.placedWidth(), 2 * one.placedWidth(), 1e-9);
    // The buttons now move by ten of the new units.
    ASSERT_TRUE(up.command(PlacementCommand::MoveLeft));
    EXPECT_EQ(up.log().records().back().amount, -2 * kMoveStep);

    // To coarser pixels a run of single-pixel drags is rounded as a whole: 41 half pixels are
    // 20 or 21 pixels, not 41 (each rounded up) or 0 (each rounded down).
    FramePlacement fine(photo, 1.0, 2);
    fine.append(PlacementKind::Zoom, 105);
    for (int i = 0; i < 41; ++i)
        fine.drag(1, -1);
    fine.append(PlacementKind::Rotate, 50);
    fine.drag(2, 0);
    FramePlacement coarse = fine;
    coarse.rescale(0.5, 1);
    EXPECT_EQ(coarse.unit(), 1);
    EXPECT_EQ(coarse.log().records().size(), fine.log().records().size());
    // Half a coarse pixel each way is one frame pixel each way at scale 0.5; turned, at most
    // the diagonal's length (rounding each move up would be 41 frame pixels off).
    expectSamePlacement(coarse.fullTransform(), fine.fullTransform(), std::sqrt(2.0) + 1e-9);
}
