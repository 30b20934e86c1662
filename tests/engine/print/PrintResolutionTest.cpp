#include "print/PrintResolution.h"
#include "print/PrintDocumentName.h"

#include <gtest/gtest.h>

namespace gp {
namespace {

// 8 × 10.5 inches at 600 dpi.
const PrinterPage kPage { 600, { 4800, 6300 } };

TEST(PrintResolution, APhotoThatWouldOutgrowThePageRaisesTheMinimum)
{
    // 600 × 3000 / 4800 = 375 dpi, in tens rounded up: 38.
    EXPECT_EQ(minimumResolutionPosition({ 3000, 2000 }, kPage), 38);
    EXPECT_EQ(initialOutputResolution(0, 72, { 3000, 2000 }, kPage), 380);
    EXPECT_EQ(limitOutputResolution(200, { 3000, 2000 }, kPage), 380);
}

TEST(PrintResolution, StartsFromThePhotosOwnResolution)
{
    // 300 dpi is 11811 pixels per metre.
    EXPECT_EQ(initialOutputResolution(11811, 72, { 100, 100 }, kPage), 300);
    EXPECT_EQ(initialOutputResolution(78740, 72, { 100, 100 }, kPage), 1000); // 2000 dpi
    // 72 dpi (2835 per metre) is raised to the next multiple of 10.
    EXPECT_EQ(initialOutputResolution(2835, 300, { 100, 100 }, kPage), 80);
    // No resolution in the photo keeps the previous one.
    EXPECT_EQ(initialOutputResolution(0, 250, { 100, 100 }, kPage), 250);
}

TEST(PrintResolution, RequestsAreRoundedToTensWithinTheScrollRange)
{
    EXPECT_EQ(limitOutputResolution(304, { 100, 100 }, kPage), 300);
    EXPECT_EQ(limitOutputResolution(305, { 100, 100 }, kPage), 310);
    EXPECT_EQ(limitOutputResolution(5000, { 100, 100 }, kPage), 1000);
    EXPECT_EQ(limitOutputResolution(0, { 100, 100 }, kPage), 20);
    // A photo of a few pixels still keeps the resolution at 10 or more.
    EXPECT_EQ(minimumResolutionPosition({ 1, 1 }, kPage), 1);
    EXPECT_EQ(limitOutputResolution(0, { 1, 1 }, kPage), 10);
}

TEST(PrintResolution, ScaleIsThePrinterResolutionOverTheOutputResolution)
{
    EXPECT_EQ(printScalePercent(300, kPage), 200);
    EXPECT_EQ(printScalePercent(380, kPage), 157);
    EXPECT_EQ(printScalePercent(1000, kPage), 60);
}

TEST(PrintDocumentName, LongTitlesKeepTheirFileName)
{
    EXPECT_EQ(printDocumentName("C:\\Photos\\Kids\\beach.jpg"), "Glimmerpress - ...\\beach.jpg");
    EXPECT_EQ(printDocumentName("/home/ann/beach.jpg"), "Glimmerpress - .../beach.jpg");
    EXPECT_EQ(printDocumentName("C:\\beach.jpg"), "Glimmerpress - C:\\beach.jpg");
    EXPECT_EQ(printDocumentName("Untitled-01"), "Glimmerpress - Untitled-01");
}

} // namespace
} // namespace gp
