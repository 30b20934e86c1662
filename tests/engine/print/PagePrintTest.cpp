#include "print/LayoutPagePrint.h"
#include "print/PrintDialogModel.h"
#include "print/PrinterState.h"

#include "FakeHost.h"
#include "RecordingPrintDevice.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

PhotoHandle photo(int w, int h) { return std::make_shared<Image>(std::move(Image::create(w, h, 24)).value()); }

struct PagePrint : ::testing::Test {
    test::FakeHost host;
    test::TempDir dir;
    test::FakePrinterCatalog catalog;
    PrinterState printer;
    LayoutPage page;
    LayoutList list;

    PagePrint()
    {
        catalog.defaultChoice = PrinterChoice{};
        printer.setCatalog(&catalog);
        list.category = LayoutCategory::Mixed;
        list.gridColumns = 8;
        list.gridRows = 10;
        list.templates = {{"", {{0, 0, 4, 6}, {4, 0, 8, 6}}}};
        list.entries = 1;
    }
    LayoutPrintJob job() { return {&page, &list, 0, {}}; }
    ProfileFile settings(const std::string& content)
    {
        test::writeFile(dir / "GLMPRESS.INI", content);
        return ProfileFile(dir / "GLMPRESS.INI");
    }
};

} // namespace

TEST_F(PagePrint, EmptyPageBeepsAndPrintsNothing)
{
    page.textListFor(0, {0, 0, 10, 10}).add({"text only", {}, {}, TextAlign::Left, {0, 0, 5, 5}});
    EXPECT_FALSE(printLayoutPage(printer, host, settings(""), job()));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_TRUE(catalog.created.empty()) << "no printer context is opened";
}

TEST_F(PagePrint, PhotosAreFittedIntoTheirCellsAndMarginsShiftThem)
{
    page.setPhoto(0, photo(900, 600));
    page.setPhoto(1, photo(200, 300));
    page.setPhoto(5, photo(10, 10)); // beyond the layout's two cells: not printed
    ASSERT_TRUE(printLayoutPage(printer, host, settings("[USER]\nTOPMARGIN=64\nLEFTMARGIN=32\n"), job()));
    const test::DeviceLog& log = *catalog.log;
    EXPECT_EQ(log.steps.front(), "startDoc:Glimmerpress Document");
    ASSERT_EQ(log.stretches.size(), 2u);
    // Cell 0 is (0, 60)-(2400, 3660); one inch down and half an inch right.
    EXPECT_EQ(log.stretches[0].target, (Rect{300, 660 + 1000, 300 + 2400, 660 + 2600}));
    EXPECT_EQ(log.stretches[1].target, (Rect{2400 + 300, 660, 4800 + 300, 660 + 3600}));
    EXPECT_EQ(host.waitCursorDepth, 0);
}

TEST_F(PagePrint, LargePhotosGoInStripsThatCoverTheRectangleOnce)
{
    page.setPhoto(0, photo(2000, 1500)); // 3,000,000 pixels: 3 strips
    ASSERT_TRUE(printLayoutPage(printer, host, settings(""), job()));
    const auto& stretches = catalog.log->stretches;
    ASSERT_EQ(stretches.size(), 3u);
    EXPECT_EQ(stretches[0].source, (SourceArea{0, 0, 2000, 500}));
    EXPECT_EQ(stretches[2].source, (SourceArea{0, 1000, 2000, 500}));
    // The first strip is the bottom of the picture.
    EXPECT_EQ(stretches[0].target.bottom, stretches[1].target.bottom + stretches[0].target.height());
    EXPECT_EQ(stretches[2].target.top, 60 + (3600 - 1800) / 2);
    int covered = 0;
    for (const auto& s : stretches)
        covered += s.target.height();
    EXPECT_EQ(covered, 1800);
}

TEST_F(PagePrint, EveryCellDrawsFromItsSlotsOwnPhotoInBoundedStrips)
{
    // A label sheet whose cells share photos, as after Copy to Empty Cells: printing must reach
    // the device with the slots' own blocks, never a copy, a strip of at most 1,048,576 source
    // pixels at a time, so what printing holds does not grow with the photos.
    list.category = LayoutCategory::Labels;
    list.sheets = {{"", 100, 100, 1500, 600, 1600, 700, 3, 4}};
    page.setPhoto(0, photo(3000, 2000));
    page.setPhoto(1, photo(1200, 900));
    ASSERT_TRUE(page.copyToEmptyCells(0));
    ASSERT_TRUE(printLayoutPage(printer, host, settings(""), job()));
    const auto& stretches = catalog.log->stretches;
    std::size_t next = 0;
    for (int cell = 0; cell < 12; ++cell) {
        const Image* own = page.photo(cell).get();
        for (int covered = 0; covered < own->height(); ++next) {
            ASSERT_LT(next, stretches.size()) << "cell " << cell << " is not complete";
            const SourceArea& source = stretches[next].source;
            EXPECT_EQ(stretches[next].image, own) << "cell " << cell;
            EXPECT_LE(static_cast<long long>(source.width) * source.height, 1048576);
            covered += source.height;
        }
    }
    EXPECT_EQ(next, stretches.size());
}

TEST_F(PagePrint, CellTextsPrintOnlyWhereTheirProportionsFit)
{
    page.setPhoto(0, photo(10, 10));
    page.setPhoto(1, photo(10, 10));
    page.textListFor(0, {0, 0, 240, 360}).add({"fits", {"", 20}, {}, TextAlign::Left, {0, 0, 100, 50}});
    page.textListFor(1, {0, 0, 100, 100}).add({"square", {"", 20}, {}, TextAlign::Left, {0, 0, 100, 50}});
    ASSERT_TRUE(printLayoutPage(printer, host, settings(""), job()));
    ASSERT_EQ(catalog.log->texts.size(), 1u);
    EXPECT_EQ(catalog.log->texts[0].text, "fits");
    EXPECT_EQ(catalog.log->texts[0].font.height, 200) << "scaled with the box: 3600 / 360";
    EXPECT_EQ(catalog.log->texts[0].at, (Point{0, 60}));
}

TEST(PrintDialogModel, StartingResolutionAndItsMinimum)
{
    PrintDialogModel dialog;
    // 600 dpi, 8 × 10.5 inches printable, a 3000 × 2000 photo: at least 375 dpi, position 38.
    dialog.open({3000, 2000}, 0, 600, {4800, 6300});
    EXPECT_EQ(dialog.minimumPosition(), 38);
    EXPECT_EQ(dialog.resolution(), 380);
    dialog.open({300, 200}, 11811, 600, {4800, 6300}); // 300 dpi in the header
    EXPECT_EQ(dialog.resolution(), 300);
    dialog.open({300, 200}, 78740, 600, {4800, 6300}); // 2000 dpi
    EXPECT_EQ(dialog.resolution(), 1000);
    dialog.open({300, 200}, 0, 600, {4800, 6300});
    EXPECT_EQ(dialog.resolution(), 1000) << "without a resolution the previous one stays";
    dialog.scroll(ScrollAction::PageUp);
    EXPECT_EQ(dialog.resolution(), 950);
    dialog.scroll(ScrollAction::Top);
    EXPECT_EQ(dialog.resolution(), 40) << "600 × 300 / 4800 = 37 dpi at least, position 4";
    dialog.scroll(ScrollAction::LineUp);
    EXPECT_EQ(dialog.resolution(), 40);
    dialog.scroll(ScrollAction::Thumb, 500);
    EXPECT_EQ(dialog.resolution(), 1000);
    EXPECT_EQ(dialog.placement().scaleX, 60);
}

TEST(PrintDialogModel, PreviewDragAndCentring)
{
    PrintDialogModel dialog;
    // 300 dpi in the header would not fit 8 inches across: the minimum, 380 dpi, holds.
    dialog.open({3000, 2000}, 11811, 600, {4800, 6000});
    EXPECT_EQ(dialog.sizeText(","), "Width: 7,9 Inch  Height: 5,3 Inch");
    dialog.setPreviewSize({480, 600});
    const Rect box = dialog.photoBox();
    EXPECT_EQ(box.width(), 474);
    EXPECT_EQ(box.left, (480 - 474) / 2);
    EXPECT_FALSE(dialog.beginDrag({0, 0}));
    ASSERT_TRUE(dialog.beginDrag({box.left + 5, box.top + 5}));
    dialog.dragTo({box.left + 5, box.top + 105});
    EXPECT_FALSE(dialog.centerX());
    EXPECT_FALSE(dialog.centerY());
    EXPECT_EQ(dialog.photoBox().top, box.top + 100);
    EXPECT_EQ(dialog.positionY(), (box.top + 100) * 10000 / 600);
    dialog.dragTo({box.left + 5, box.top + 10000});
    EXPECT_EQ(dialog.photoBox().bottom, 600) << "limited to the preview";
    dialog.setCenterY(true);
    EXPECT_EQ(dialog.photoBox().top, (600 - box.height()) / 2);
    EXPECT_FALSE(dialog.centerX()) << "only the switched axis is centred again";
}
