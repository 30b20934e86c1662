#include "editing/workflow/FrameComposition.h"
#include "editing/workflow/FramePlacement.h"
#include "editing/workflow/WorkflowState.h"

#include "FakeHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace gp;
using namespace gp::test;

namespace {

Image solid(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    Image image = Image::create(width, height, 24).value();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            image.row(y)[3 * x] = b;
            image.row(y)[3 * x + 1] = g;
            image.row(y)[3 * x + 2] = r;
        }
    return image;
}

Image maskOf(int width, int height, std::uint8_t value)
{
    Image mask = Image::create(width, height, 8, 256).value();
    for (int i = 0; i < 256; ++i)
        mask.setColor(i, { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            mask.row(y)[x] = value;
    return mask;
}

class FrameComposing : public ::testing::Test {
protected:
    FakeHost host;
    Allocator allocator { host };
};

} // namespace

TEST(PlacementLogGrowth, StartsWithRoomFor1001AndGrowsBy1000)
{
    PlacementLog log;
    EXPECT_EQ(log.capacity(), 1001u);
    for (int i = 0; i < 1002; ++i)
        log.append(PlacementKind::MoveX, 1);
    EXPECT_EQ(log.capacity(), 2001u);
    EXPECT_EQ(log.records().size(), 1002u);
    log.clear();
    EXPECT_TRUE(log.records().empty());
}

TEST(FramePlacementRules, InitialZoomsCoverTheFrame)
{
    // A frame twice as wide as the photo: 105-percent steps until the photo is about as wide.
    FramePlacement placement({ 100, 100 }, 1.0);
    placement.start({ 200, 100 });
    const auto records = placement.log().records();
    ASSERT_EQ(records.size(), 15u);
    for (const auto& r : records) {
        EXPECT_EQ(r.kind, int(PlacementKind::Zoom));
        EXPECT_EQ(r.amount, 105);
    }
    EXPECT_GE(placement.placedWidth(), 200 * 0.999);

    // A photo larger than the frame gets no records.
    FramePlacement large({ 400, 400 }, 1.0);
    large.start({ 200, 100 });
    EXPECT_TRUE(large.log().records().empty());
}

TEST(FramePlacementRules, CommandsAppendTheirRecordsAndZoomLimitsRefuse)
{
    FramePlacement placement({ 2900, 100 }, 1.0);
    EXPECT_TRUE(placement.command(PlacementCommand::RotateLeft));
    EXPECT_TRUE(placement.command(PlacementCommand::RotateRight));
    EXPECT_TRUE(placement.command(PlacementCommand::MoveLeft));
    EXPECT_TRUE(placement.command(PlacementCommand::MoveRight));
    EXPECT_TRUE(placement.command(PlacementCommand::MoveUp));
    EXPECT_TRUE(placement.command(PlacementCommand::MoveDown));
    const std::vector<std::pair<int, int>> expected { { 2, 50 }, { 2, -50 }, { 0, -10 }, { 0, 10 }, { 1, 10 }, { 1, -10 } };
    ASSERT_EQ(placement.log().records().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(placement.log().records()[i].kind, expected[i].first);
        EXPECT_EQ(placement.log().records()[i].amount, expected[i].second);
    }
    // 2900 × 1.05 is past 3000: refused, log unchanged.
    EXPECT_FALSE(placement.command(PlacementCommand::ZoomIn));
    EXPECT_EQ(placement.log().records().size(), expected.size());

    // 100 high: 95 percent steps stop before the photo gets under 20 pixels.
    int zoomOuts = 0;
    while (placement.command(PlacementCommand::ZoomOut))
        ++zoomOuts;
    EXPECT_GE(placement.placedHeight(), 20.0);
    EXPECT_LT(placement.placedHeight() * 0.95, 20.0);
    EXPECT_EQ(zoomOuts, 31);

    // A drag appends the movement, the vertical one counted upward.
    FramePlacement dragged({ 100, 100 }, 1.0);
    dragged.drag(7, 3);
    ASSERT_EQ(dragged.log().records().size(), 2u);
    EXPECT_EQ(dragged.log().records()[1].amount, -3);
    EXPECT_DOUBLE_EQ(dragged.displayTransform().tx, 7);
    EXPECT_DOUBLE_EQ(dragged.displayTransform().ty, 3);
}

TEST(FramePlacementRules, ReplayTurnsCounterClockwiseAndFullResolutionUndoesTheDisplayScale)
{
    const PlacementRecord turn[] = { { 2, 900 } };
    const Placement p = replay({}, turn);
    // The photo's right-hand direction now points up the screen.
    EXPECT_NEAR(p.a, 0, 1e-6);
    EXPECT_NEAR(p.c, -1, 1e-6);

    FramePlacement placement({ 100, 100 }, 0.25);
    placement.append(PlacementKind::MoveX, 10);
    placement.append(PlacementKind::Zoom, 200);
    const Placement display = placement.displayTransform();
    const Placement full = placement.fullTransform();
    EXPECT_DOUBLE_EQ(display.a, 0.5);
    EXPECT_DOUBLE_EQ(display.tx, 20);
    EXPECT_DOUBLE_EQ(full.a, 2);
    EXPECT_DOUBLE_EQ(full.tx, 80);
}

TEST_F(FrameComposing, MaskValuesGiveFrameOnlyPhotoOnlyAndAnEvenBlend)
{
    EXPECT_EQ(blendThroughMask(200, 40, 0), 199); // 0 leaves the frame (255/256 of it)
    EXPECT_EQ(blendThroughMask(200, 40, 255), 40);
    EXPECT_EQ(blendThroughMask(200, 40, 127), 120);

    const Image frame = solid(8, 6, 200, 100, 0);
    const Image photo = solid(8, 6, 40, 60, 250);
    for (const auto& [m, expectedRed] : { std::pair { 0, 200 }, { 255, 40 }, { 127, 120 } }) {
        const Image mask = maskOf(8, 6, std::uint8_t(m));
        const auto framed = composeFrame(frame, mask, { 0, 0, 8, 6 }, photo, {}, allocator);
        ASSERT_TRUE(framed);
        // Mask 0 is not blended at all: the frame pixel stays exactly.
        EXPECT_EQ(framed->row(3)[3 * 4 + 2], expectedRed) << m;
    }
}

TEST_F(FrameComposing, WindowSitsAtTheOffsetCountedFromTheBottomAndUncoveredPixelsKeepTheFrame)
{
    EXPECT_EQ(frameWindow({ 100, 80 }, { 20, 10 }, { 5, 3 }), (Rect { 5, 67, 25, 77 }));

    const Image frame = solid(30, 20, 10, 10, 10);
    const Image photo = solid(4, 4, 250, 250, 250);
    const Image mask = maskOf(10, 10, 255);
    const Rect window = frameWindow({ 30, 20 }, { 10, 10 }, { 2, 1 });
    const auto framed = composeFrame(frame, mask, window, photo, {}, allocator);
    ASSERT_TRUE(framed);
    // The 4-pixel photo covers the window's centre only.
    const int cx = window.left + 5;
    const int cy = window.top + 5;
    EXPECT_EQ(framed->row(cy)[3 * cx], 250);
    EXPECT_EQ(framed->row(cy - 2)[3 * (cx - 2)], 250);
    EXPECT_EQ(framed->row(cy - 3)[3 * cx], 10);
    EXPECT_EQ(framed->row(window.top)[3 * window.left], 10);
    EXPECT_EQ(framed->row(0)[0], 10);
    // The source frame is untouched.
    EXPECT_EQ(frame.row(cy)[3 * cx], 10);
}

TEST_F(FrameComposing, MaskOfAnotherDepthOrSizeIsRefused)
{
    const Image frame = solid(10, 10, 1, 2, 3);
    const Image photo = solid(10, 10, 1, 2, 3);
    EXPECT_FALSE(composeFrame(frame, maskOf(5, 5, 1), { 0, 0, 10, 10 }, photo, {}, allocator));
    EXPECT_FALSE(composeFrame(frame, solid(10, 10, 1, 1, 1), { 0, 0, 10, 10 }, photo, {}, allocator));

    // A 24-bit mask reads as the mean of its channels.
    const auto values = maskValues(solid(2, 2, 30, 60, 90), allocator);
    ASSERT_TRUE(values);
    EXPECT_EQ(values->row(1)[1], 60);
    EXPECT_FALSE(maskValues(Image::create(2, 2, 1).value(), allocator));
}

TEST_F(FrameComposing, WorkflowFrameReplaysTheLogOnTheFullPhoto)
{
    auto photo = std::make_shared<const Image>(solid(200, 150, 0, 0, 255));
    WorkflowState state;
    ASSERT_TRUE(state.start(photo, { 200, 200 }, allocator));
    EXPECT_EQ(state.displayRect(), (Rect { 0, 25, 200, 175 }));

    FrameArtwork artwork { solid(100, 80, 255, 0, 0), maskOf(60, 40, 255), OffsetTable::parse("20 20,") };
    ASSERT_TRUE(state.frame.choose(std::move(artwork), 0, *photo, { 200, 200 }, allocator));
    EXPECT_EQ(state.frame.window(), (Rect { 20, 20, 80, 60 }));
    EXPECT_TRUE(state.frame.placement().log().records().empty()); // the photo already covers it

    const Image* preview = state.frame.preview(state.displayCopy(), allocator);
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->width(), 200);
    EXPECT_EQ(preview->row(80)[3 * 100], 255); // blue photo in the middle of the window
    EXPECT_EQ(preview->row(2)[3 * 2 + 2], 255); // red frame at the corner

    // The frame is shown twice its size, so 200 display pixels to the right are 100 frame
    // pixels: the photo's left edge moves from x = -50 to x = 50, inside the window.
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(state.frame.command(PlacementCommand::MoveRight));
    const auto result = state.frame.result(*photo, allocator);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->width(), 100);
    EXPECT_EQ(result->height(), 80);
    EXPECT_EQ(result->row(40)[3 * 25 + 2], 255); // left of the photo: the frame shows
    EXPECT_EQ(result->row(40)[3 * 75], 255); // the photo
    EXPECT_NE(state.frame.preview(state.displayCopy(), allocator), nullptr);
}
