// The workflow state on a dense display: the window is measured in the display's own pixels and
// one step of the interface is `unit` of them. Each case runs the same steps at unit 1 and at
// unit 2 (every length doubled) and checks that the display geometry doubles exactly while the
// result on the photo stays the same.

#include "editing/workflow/CropRectangle.h"
#include "editing/workflow/DisplayCopy.h"
#include "editing/workflow/FramePlacement.h"

#include "FakeHost.h"
#include "Pictures.h"

#include <gtest/gtest.h>

#include <vector>

using namespace gp;
using namespace gp::test;

namespace {

Rect twice(Rect r) { return { 2 * r.left, 2 * r.top, 2 * r.right, 2 * r.bottom }; }

struct CropStep {
    CropHandle handle;
    int dx;
    int dy;
};

// Two crop rectangles over the same photo, one on an ordinary display and one on a display of
// twice the pixels, the second given every movement doubled.
struct CropPair {
    CropRectangle one;
    CropRectangle two;

    CropPair(Size photo, Size window, std::string_view cell, int cellW, int cellH)
        : one(fittedRect(photo, window, 1), 1)
        , two(fittedRect(photo, { 2 * window.width, 2 * window.height }, 2), 2)
    {
        one.setProportion(cell, cellW, cellH);
        two.setProportion(cell, cellW, cellH);
    }

    void drag(const CropStep& step)
    {
        one.drag(step.handle, step.dx, step.dy);
        two.drag(step.handle, 2 * step.dx, 2 * step.dy);
    }
};

} // namespace

TEST(DensityUnits, FittedRectangleDoublesExactlyOnOddWindows)
{
    // Odd sizes, where fitting the doubled window afresh would round differently.
    for (const Size picture : { Size { 1200, 800 }, Size { 333, 1000 }, Size { 7, 3 } })
        for (const Size window : { Size { 517, 389 }, Size { 600, 400 }, Size { 31, 977 } }) {
            const Rect one = fittedRect(picture, window);
            const Rect two = fittedRect(picture, { 2 * window.width, 2 * window.height }, 2);
            EXPECT_EQ(two, twice(one)) << picture.width << "x" << picture.height << " in " << window.width;
        }
    // A window narrower than one unit has no room.
    EXPECT_TRUE(fittedRect({ 10, 10 }, { 1, 1 }, 2).isEmpty());

    FakeHost host;
    Allocator allocator(host);
    const Image picture = randomImage(300, 200, 24, 3);
    const auto one = makeDisplayCopy(picture, { 251, 167 }, allocator);
    const auto two = makeDisplayCopy(picture, { 502, 334 }, allocator, 2);
    ASSERT_TRUE(one && two);
    EXPECT_EQ(two->rect, twice(one->rect));
    EXPECT_EQ(two->image.width(), 2 * one->image.width());
    EXPECT_EQ(two->image.height(), 2 * one->image.height());
}

TEST(DensityUnits, CropDragsOfTheSameLengthCutTheSamePartOfThePhoto)
{
    const Size photo { 4000, 2667 };
    const std::vector<CropStep> fixedSteps { { CropHandle::BottomRight, -31, -47 }, { CropHandle::TopLeft, 7, 3 },
        { CropHandle::Inside, -13, 29 }, { CropHandle::TopRight, 500, -500 }, { CropHandle::Inside, 1000, 1000 },
        { CropHandle::BottomLeft, 0, -1000 }, { CropHandle::Inside, -1000, -3 }, { CropHandle::TopLeft, -17, 0 } };
    const std::vector<CropStep> freeSteps { { CropHandle::LeftEdge, 37, 0 }, { CropHandle::BottomEdge, 0, -61 },
        { CropHandle::TopRight, -1000, 1000 }, { CropHandle::Inside, 999, -999 }, { CropHandle::BottomLeft, -3, 5 },
        { CropHandle::RightEdge, 11, 0 } };
    const struct {
        const char* cell;
        int w, h;
        const std::vector<CropStep>& steps;
    } cases[] = { { "4x6", 4, 6, fixedSteps }, { "5x7", 7, 5, fixedSteps }, { "FREE", 0, 0, freeSteps } };
    for (const auto& c : cases) {
        CropPair pair(photo, { 517, 389 }, c.cell, c.w, c.h);
        EXPECT_EQ(pair.two.rect(), twice(pair.one.rect())) << c.cell;
        EXPECT_EQ(pair.two.photoRect(photo), pair.one.photoRect(photo)) << c.cell;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            pair.drag(c.steps[i]);
            ASSERT_EQ(pair.two.rect(), twice(pair.one.rect())) << c.cell << " step " << i;
            ASSERT_TRUE(pair.one.photoRect(photo)) << c.cell << " step " << i;
            EXPECT_EQ(pair.two.photoRect(photo), pair.one.photoRect(photo)) << c.cell << " step " << i;
        }
    }
    // The least sizes are units: a free rectangle squeezed to its least is 40 units wide.
    CropPair squeezed(photo, { 517, 389 }, "free", 0, 0);
    squeezed.drag({ CropHandle::LeftEdge, 5000, 0 });
    EXPECT_EQ(squeezed.one.rect().width(), kCropMinimumFree);
    EXPECT_EQ(squeezed.two.rect().width(), 2 * kCropMinimumFree);
}

TEST(DensityUnits, CropTakesWholeUnitsAndLeavesTheRestForTheNextMovement)
{
    CropRectangle crop(Rect { 0, 0, 800, 600 }, 2);
    crop.setProportion("free", 0, 0);
    crop.drag(CropHandle::TopLeft, 200, 200);
    crop.drag(CropHandle::BottomRight, -200, -200);
    const Rect start = crop.rect();
    // Three pixels are one unit and a pixel left over, either way.
    EXPECT_EQ(crop.drag(CropHandle::Inside, 3, -3), (Point { 2, -2 }));
    EXPECT_EQ(crop.rect().left, start.left + 2);
    EXPECT_EQ(crop.rect().top, start.top - 2);
    EXPECT_EQ(crop.drag(CropHandle::Inside, 1, 1), (Point { 0, 0 }));
    EXPECT_EQ(crop.rect().left, start.left + 2);
    // A movement the photo's edge stops is taken all the same: the mouse has gone on.
    EXPECT_EQ(crop.drag(CropHandle::Inside, -999, 0), (Point { -998, 0 }));
    EXPECT_EQ(crop.rect().left, 0);

    // The handles reach four units round the corner, in the display's pixels.
    const Rect r = crop.rect();
    EXPECT_EQ(crop.hitTest({ r.right + 8, r.bottom - 8 }), CropHandle::BottomRight);
    EXPECT_EQ(crop.hitTest({ r.right + 9, r.bottom }), CropHandle::None);
    EXPECT_EQ(crop.hitTest({ r.right - 7, (r.top + r.bottom) / 2 }), CropHandle::RightEdge);
    EXPECT_EQ(crop.hitTest({ r.right - 9, (r.top + r.bottom) / 2 }), CropHandle::Inside);
}

TEST(DensityUnits, FrameButtonsAndDragsPlaceThePhotoAsOnAnOrdinaryDisplay)
{
    const Size photo { 900, 600 };
    FramePlacement one(photo, 0.5, 1);
    FramePlacement two(photo, 1.0, 2);
    one.start({ 1000, 800 });
    two.start({ 1000, 800 });
    const PlacementCommand commands[] = { PlacementCommand::MoveRight, PlacementCommand::RotateLeft,
        PlacementCommand::ZoomIn, PlacementCommand::MoveUp, PlacementCommand::ZoomOut, PlacementCommand::MoveLeft };
    for (const PlacementCommand command : commands) {
        ASSERT_EQ(one.command(command), two.command(command));
        one.drag(3, -7);
        two.drag(6, -14);
    }
    EXPECT_EQ(two.log().records()[two.log().records().size() - 3].amount, -2 * kMoveStep);
    const Placement a = one.fullTransform();
    const Placement b = two.fullTransform();
    for (const auto& [x, y] : { std::pair { a.a, b.a }, { a.b, b.b }, { a.c, b.c }, { a.d, b.d }, { a.tx, b.tx }, { a.ty, b.ty } })
        EXPECT_NEAR(x, y, 1e-9);
    EXPECT_NEAR(two.placedWidth(), 2 * one.placedWidth(), 1e-9);

    // The zoom limits count units, so both refuse at the same step.
    int inOne = 0;
    int inTwo = 0;
    while (inOne < 200 && one.command(PlacementCommand::ZoomIn))
        ++inOne;
    while (inTwo < 200 && two.command(PlacementCommand::ZoomIn))
        ++inTwo;
    EXPECT_LT(inOne, 200);
    EXPECT_EQ(inTwo, inOne);
    int outOne = 0;
    int outTwo = 0;
    while (outOne < 500 && one.command(PlacementCommand::ZoomOut))
        ++outOne;
    while (outTwo < 500 && two.command(PlacementCommand::ZoomOut))
        ++outTwo;
    EXPECT_LT(outOne, 500);
    EXPECT_EQ(outTwo, outOne);
}
