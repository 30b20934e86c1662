// The Print Thumbnails page: which photos, where each lands, page breaks and the names.

#include "album/AlbumList.h"
#include "album/ThumbnailSheet.h"
#include "print/PrinterState.h"

#include "AlbumTestSupport.h"
#include "FakeHost.h"
#include "RecordingPrintDevice.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

struct ThumbnailSheetTest : ::testing::Test {
    test::FakeHost host;
    Allocator allocator { host };
    AlbumList album;
    test::FakePrinterCatalog catalog;
    PrinterState printer;

    void SetUp() override
    {
        catalog.defaultChoice = PrinterChoice {};
        catalog.defaultChoice->names = { "test", "Printer", "" };
        catalog.setup.printable = { 4800, 6120 }; // 8 x 10.2 inches at 600 dpi
        printer.setCatalog(&catalog);
    }
    void fill(int n)
    {
        for (int i = 0; i < n; ++i)
            album.append(test::photoItem(allocator, "/photos/holiday/a-rather-long-file-name-" + std::to_string(i) + ".jpg",
                i % 2 ? 200 : 40));
    }
};

TEST_F(ThumbnailSheetTest, RangesAndGrid)
{
    fill(7);
    EXPECT_EQ(thumbnailJobPhotos({ &album, 0, 0, false }).size(), 7u);
    EXPECT_EQ(thumbnailJobPhotos({ &album, 3, 5, false }), (std::vector<int> { 2, 3, 4 }));
    EXPECT_EQ(thumbnailJobPhotos({ &album, 6, 99, false }), (std::vector<int> { 5, 6 }));
    EXPECT_TRUE(thumbnailJobPhotos({ &album, 9, 12, false }).empty());

    const ThumbnailSheetLayout plain = layoutThumbnailSheet({ 4800, 6120 }, 600, 600, false);
    EXPECT_EQ(plain.columns, 5); // 8 inches of 1.5-inch cells
    EXPECT_EQ(plain.rows, 6);
    EXPECT_EQ(plain.origin.x, (4800 - 5 * 900) / 2);
    const ThumbnailSheetLayout named = layoutThumbnailSheet({ 4800, 6120 }, 600, 600, true);
    EXPECT_LT(named.rows, plain.rows + 1);
    EXPECT_GT(named.cell.height, plain.cell.height);
    // A full thumbnail spans an inch on its longer side, centred in the part above the name.
    const Rect r = named.thumbnailRect(6, { 96, 72 }, 600, 600);
    EXPECT_EQ(r.width(), 600);
    EXPECT_EQ(r.height(), 450);
    const Rect cell = named.cellRect(6);
    EXPECT_EQ(cell.left, named.origin.x + named.cell.width);
    EXPECT_EQ(cell.top, named.cell.height);
    EXPECT_EQ(r.left - cell.left, cell.right - r.right);
    EXPECT_LT(r.bottom, named.nameRect(6).top);

    EXPECT_EQ(thumbnailCaption("/a/b/c.jpg"), "c.jpg");
    EXPECT_EQ(thumbnailCaption("/a/b/a-rather-long-file-name-12.jpg"), "a-rather-long-file-na...");
}

TEST_F(ThumbnailSheetTest, PrintsEveryChosenThumbnailOnAsManyPagesAsNeeded)
{
    fill(33);
    ASSERT_TRUE(printThumbnails(printer, host, { &album, 2, 33, true }));
    const test::DeviceLog& log = *catalog.log;
    EXPECT_EQ(log.count("startPage"), 2) << "32 thumbnails at 25 a page";
    EXPECT_EQ(log.count("endDoc"), 1);
    ASSERT_EQ(log.stretches.size(), 32u);
    ASSERT_EQ(log.texts.size(), 32u);
    EXPECT_EQ(log.texts[0].text, "a-rather-long-file-na...");
    EXPECT_EQ(log.stretches[0].imageWidth, 96) << "the first printed is photo 2, of 200 pixels";
    EXPECT_EQ(log.stretches[1].imageWidth, 40);
    EXPECT_LT(log.stretches[25].target.top, log.stretches[5].target.top) << "page two starts at the top again";
    EXPECT_LT(log.stretches[25].target.left, log.stretches[1].target.left);
    EXPECT_EQ(host.beeps, 0);
    EXPECT_EQ(host.waitCursorDepth, 0);

    EXPECT_FALSE(printThumbnails(printer, host, { &album, 40, 50, false }));
    EXPECT_EQ(host.beeps, 1) << "an empty range beeps";
}

} // namespace
