#include "image/Zoom.h"

#include <gtest/gtest.h>

using namespace gp;

TEST(Zoom, CommandsSetAndStep)
{
    const Size image { 100, 100 };
    const Size window { 400, 400 };
    EXPECT_EQ(applyZoomCommand(203, 0, image, window).zoom, 3); // 4:1
    EXPECT_EQ(applyZoomCommand(219, 0, image, window).zoom, -3); // 1:4
    EXPECT_EQ(applyZoomCommand(232, 2, image, window).zoom, 3);
    EXPECT_EQ(applyZoomCommand(233, 0, image, window).zoom, -1);
    // Zoom in at 16:1 cannot change: beep.
    const auto top = applyZoomCommand(232, 15, Size { 10, 10 }, window);
    EXPECT_FALSE(top.changed);
    EXPECT_TRUE(top.beep);
}

TEST(Zoom, ChoosingTheZoomInForceBeeps)
{
    const auto same = applyZoomCommand(202, 2, { 100, 100 }, { 400, 400 });
    EXPECT_FALSE(same.changed);
    EXPECT_TRUE(same.beep);
    const auto other = applyZoomCommand(201, 2, { 100, 100 }, { 400, 400 });
    EXPECT_TRUE(other.changed);
    EXPECT_FALSE(other.beep);
}

TEST(Zoom, FitsToTheWindow)
{
    // (500 − 1) / 400 = 1 is less than (1000 − 1) / 400 = 2: 1:3.
    EXPECT_EQ(fitZoom({ 1000, 500 }, { 400, 400 }), -2);
    EXPECT_EQ(fitZoom({ 500, 1000 }, { 400, 400 }), -2);
    // Enlargement by the smaller ratio, at most 16:1.
    EXPECT_EQ(fitZoom({ 100, 50 }, { 400, 400 }), 3);
    EXPECT_EQ(fitZoom({ 1, 1 }, { 400, 400 }), 15);
    // A tiny window counts as 16 pixels.
    EXPECT_EQ(fitZoom({ 160, 32 }, { 2, 2 }), -9);
    EXPECT_EQ(applyZoomCommand(234, 0, { 1000, 500 }, { 400, 400 }).zoom, -2);
}

TEST(Zoom, EnlargementStaysWithin16384Pixels)
{
    // 8:1 of 2000 is 16000: allowed.
    const auto eight = applyZoomCommand(232, 6, { 2000, 1000 }, { 400, 400 });
    EXPECT_EQ(eight.zoom, 7);
    EXPECT_FALSE(eight.beep);
    // 9:1 would exceed it: beep, 16384 / 2000 − 1 = 7, which is the zoom in force.
    const auto nine = applyZoomCommand(232, 7, { 2000, 1000 }, { 400, 400 });
    EXPECT_EQ(nine.zoom, 7);
    EXPECT_TRUE(nine.beep);
    EXPECT_FALSE(nine.changed);
    // Beyond the limit from 1:1, so the reduced zoom is still a change, but beeps.
    const auto big = applyZoomCommand(215, 0, { 4000, 10 }, { 400, 400 });
    EXPECT_EQ(big.zoom, 3);
    EXPECT_TRUE(big.changed);
    EXPECT_TRUE(big.beep);
    // A side above 16384 allows no enlargement at all.
    EXPECT_EQ(applyZoomCommand(201, -1, { 20000, 10 }, { 400, 400 }).zoom, 0);
}

TEST(Zoom, FullScreenAddsTheViewOffset)
{
    EXPECT_EQ(fullScreenZoom(2, 3, { 100, 100 }), 5);
    EXPECT_EQ(fullScreenZoom(14, 3, { 100, 100 }), 15);
    EXPECT_EQ(fullScreenZoom(0, -2, { 100, 100 }), -2);
    EXPECT_EQ(fullScreenZoom(5, 5, { 2000, 100 }), 7);
}
