#include "draw/PageGeometry.h"

#include "RecordingPrintDevice.h"

#include <gtest/gtest.h>

namespace gp {
namespace {

using test::DeviceLog;
using test::DeviceSetup;
using test::RecordingPrintDevice;

PageGeometry measure(const DeviceSetup& setup)
{
    RecordingPrintDevice device(setup, std::make_shared<DeviceLog>());
    return measurePageGeometry(device);
}

TEST(PageGeometry, FallbackIsEightByTenPointTwoInchesOnLetterAt600Dpi)
{
    const PageGeometry g = fallbackPageGeometry();
    EXPECT_EQ(g.printableWidth, 4800);
    EXPECT_EQ(g.printableHeight, 6120);
    EXPECT_EQ(g.dpiX, 600);
    EXPECT_EQ(g.dpiY, 600);
    EXPECT_EQ(g.paperWidth, 5100);
    EXPECT_EQ(g.paperHeight, 6600);
    EXPECT_EQ(g.printingOffset, (Point { 0, 0 }));
    EXPECT_EQ(g.wholeInchWidth, 4800);
    EXPECT_EQ(g.wholeInchHeight, 6000);
    EXPECT_EQ(g.layoutSize(false), (Size { 4800, 6120 }));
    EXPECT_EQ(g.layoutSize(true), (Size { 4800, 6000 }));
}

TEST(PageGeometry, ReadsTheDeviceAndRoundsDownToWholeInches)
{
    DeviceSetup setup;
    setup.printable = { 4934, 6434 };
    setup.paper = { 5100, 6600 };
    setup.offset = { 83, 83 };
    const PageGeometry g = measure(setup);
    EXPECT_EQ(g.printableWidth, 4934);
    EXPECT_EQ(g.printableHeight, 6434);
    EXPECT_EQ(g.printingOffset, (Point { 83, 83 }));
    EXPECT_EQ(g.paperWidth, 5100);
    EXPECT_EQ(g.wholeInchWidth, 4800);
    EXPECT_EQ(g.wholeInchHeight, 6000);
}

TEST(PageGeometry, EscapesTheDeviceRefusesGiveNoOffsetAndThePrintableSizeAsPaper)
{
    DeviceSetup setup;
    setup.printable = { 2000, 3000 };
    setup.offset = { 50, 60 };
    setup.refusedEscapes = { Escape::GetPrintingOffset, Escape::GetPhysPageSize };
    const PageGeometry g = measure(setup);
    EXPECT_EQ(g.printingOffset, (Point { 0, 0 }));
    EXPECT_EQ(g.paperWidth, 2000);
    EXPECT_EQ(g.paperHeight, 3000);
}

TEST(PageGeometry, DegenerateAnswersAreRaisedToTheirMinimum)
{
    DeviceSetup setup;
    setup.printable = { 0, -5 };
    setup.dpiX = 0;
    setup.dpiY = -3;
    setup.paper = { 0, 0 };
    PageGeometry g = measure(setup);
    EXPECT_EQ(g.printableWidth, 1);
    EXPECT_EQ(g.printableHeight, 1);
    EXPECT_EQ(g.dpiX, 1);
    EXPECT_EQ(g.dpiY, 1);
    EXPECT_EQ(g.paperWidth, 1);
    EXPECT_EQ(g.paperHeight, 1);

    // A page narrower than an inch still counts as one whole inch.
    setup = {};
    setup.printable = { 300, 500 };
    setup.paper = { 100, 100 };
    g = measure(setup);
    EXPECT_EQ(g.wholeInchWidth, 600);
    EXPECT_EQ(g.wholeInchHeight, 600);
    EXPECT_EQ(g.paperWidth, 300);
    EXPECT_EQ(g.paperHeight, 500);
}

} // namespace
} // namespace gp
