#include "FakeHost.h"
#include "layout/FreeStyle.h"
#include "layout/LayoutPage.h"
#include "layout/PageCells.h"
#include "layout/PageGeometryInView.h"
#include "layout/PhotoFit.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

PageGeometry letter()
{
    PageGeometry p; // 600 dpi, 4800 × 6120 printable on 5100 × 6600
    p.printingOffset = {150, 240};
    return p;
}

PhotoHandle photo(int w, int h) { return std::make_shared<Image>(std::move(Image::create(w, h, 24)).value()); }

} // namespace

TEST(PageCells, EveryCategoryMapsToPrinterPixels)
{
    const PageGeometry page = letter();
    LayoutList labels;
    labels.category = LayoutCategory::Labels;
    labels.sheets = {{"", 150, 300, 1000, 500, 1200, 600, 2, 2}};
    labels.entries = 1;
    // Measured from the paper corner, so the printing offset is taken off.
    EXPECT_EQ(printerCells(labels, 0, page),
              (std::vector<Rect>{{0, 60, 1000, 560}, {1200, 60, 2200, 560}, {0, 660, 1000, 1160}, {1200, 660, 2200, 1160}}));

    LayoutList grid;
    grid.category = LayoutCategory::Mixed;
    grid.gridColumns = 8;
    grid.gridRows = 10;
    grid.templates = {{"", {{0, 0, 4, 6}, {4, 0, 8, 6}}}};
    grid.entries = 1;
    // The whole-inch grid is centred: 6120 − 6000 leaves 60 pixels above.
    EXPECT_EQ(printerCells(grid, 0, page), (std::vector<Rect>{{0, 60, 2400, 3660}, {2400, 60, 4800, 3660}}));

    LayoutList mine;
    mine.category = LayoutCategory::MyTemplates;
    mine.templates = {{"", {{500, 250, 1500, 1001}}}};
    mine.entries = 1;
    PageGeometry narrow = page;
    narrow.printableWidth = 5000; // whole-inch page 4800 wide, centred across the top
    EXPECT_EQ(printerCells(mine, 0, narrow), (std::vector<Rect>{{100 + 300, 150, 100 + 900, 600}}));

    EXPECT_TRUE(printerCells(mine, 3, page).empty());
}

TEST(PageCells, LayoutsWithMoreThan100CellsUseTheFirst100)
{
    LayoutList labels;
    labels.category = LayoutCategory::Labels;
    labels.sheets = {{"", 0, 0, 10, 10, 10, 10, 20, 20}};
    labels.entries = 1;
    EXPECT_EQ(printerCells(labels, 0, letter()).size(), 100u);
}

TEST(PageCells, HitTestShrinksCellsByTwoPixels)
{
    const std::vector<Rect> cells{{0, 0, 100, 100}, {100, 0, 200, 100}};
    EXPECT_EQ(cellAt(cells, {50, 50}), 0);
    EXPECT_EQ(cellAt(cells, {2, 50}), -1);
    EXPECT_EQ(cellAt(cells, {3, 50}), 0);
    EXPECT_EQ(cellAt(cells, {100, 50}), -1);
    EXPECT_EQ(cellAt(cells, {150, 97}), 1);
}

TEST(PhotoFit, WidePhotoInAPortraitCellFillsTheWidth)
{
    // A 4 × 6 inch portrait cell at 600 dpi and a 3000 × 2000 photo.
    const Rect cell{0, 0, 2400, 3600};
    const Rect fitted = fitPhoto(photoBox(cell, 100), {3000, 2000});
    EXPECT_EQ(fitted, (Rect{0, 1000, 2400, 2600}));
    // 80 %: an inset of 10 % on each side.
    EXPECT_EQ(photoBox(cell, 80), (Rect{240, 360, 2160, 3240}));
    EXPECT_EQ(photoBox({0, 0, 100, 100}, 5), (Rect{47, 47, 52, 52})) << "a small box stays centred";
}

TEST(PageGeometryInView, PaperKeepsItsProportionsAndThePrintableAreaIsCentred)
{
    const PageGeometry page = letter();
    const Rect paper = paperRectInView({520, 520}, page);
    EXPECT_EQ(paper.height(), 512);
    EXPECT_EQ(paper.width(), 512 * 5100 / 6600);
    EXPECT_EQ(paper.left, 4 + (512 - paper.width()) / 2);
    const Rect printable = printableRectInView(paper, page);
    EXPECT_EQ(printable.left - paper.left, paper.right - printable.right);
    const Rect back = viewToPrinter(printerToView({0, 0, 4800, 6120}, printable, {4800, 6120}), printable, {4800, 6120});
    EXPECT_EQ(back, (Rect{0, 0, 4800, 6120}));
}

TEST(LayoutPage, SlotsOutliveLayoutsAndTheCurrentCellWraps)
{
    LayoutPage page;
    std::vector<PhotoHandle> photos;
    for (int i = 0; i < 100; ++i) {
        photos.push_back(photo(1, 1));
        EXPECT_EQ(page.addPhoto(photos.back()), nullptr);
    }
    EXPECT_EQ(page.currentCell(), 0) << "wraps after 99";
    // Slots 30..99 stay whatever layout is shown; the 101st photo replaces slot 0's.
    EXPECT_EQ(page.photo(99), photos[99]);
    EXPECT_EQ(page.addPhoto(photo(2, 2)), photos[0]) << "the evicted photo's document must close";
    EXPECT_EQ(page.currentCell(), 1);
    EXPECT_FALSE(page.holds(photos[0].get()));
}

TEST(LayoutPage, DragCopiesOntoEmptyCellsAndExchangesOtherwise)
{
    LayoutPage page;
    const PhotoHandle a = photo(1, 1), b = photo(2, 2);
    page.setPhoto(0, a);
    page.textListFor(0, {0, 0, 10, 10}).add({"hello", {}, {}, TextAlign::Left, {0, 0, 5, 5}});
    EXPECT_EQ(page.dropPhoto(0, 5, false), nullptr);
    EXPECT_EQ(page.photo(0), a);
    EXPECT_EQ(page.photo(5), a) << "onto an empty cell the photo is copied";
    ASSERT_TRUE(page.textList(5));
    EXPECT_EQ(page.currentCell(), 5);

    page.setPhoto(6, b);
    page.dropPhoto(5, 6, false);
    EXPECT_EQ(page.photo(5), b);
    EXPECT_EQ(page.photo(6), a);
    EXPECT_FALSE(page.textList(5)) << "text lists are exchanged with their photos";
    EXPECT_TRUE(page.textList(6));

    // With Ctrl the target's photo is replaced; b left the page, so its document must close.
    EXPECT_EQ(page.dropPhoto(6, 5, true), b);
    EXPECT_EQ(page.photo(5), a);
    EXPECT_FALSE(page.holds(b.get()));
}

TEST(LayoutPage, CellClipboardAndCopyToEmptyCells)
{
    LayoutPage page;
    const PhotoHandle a = photo(1, 1);
    EXPECT_FALSE(page.copyToEmptyCells(3));
    page.setPhoto(3, a);
    EXPECT_EQ(page.cutCell(3), nullptr) << "a cut photo lives on in the clipboard";
    EXPECT_EQ(page.photo(3), nullptr);
    EXPECT_EQ(page.pasteCell(7), nullptr);
    EXPECT_EQ(page.photo(7), a);
    EXPECT_TRUE(page.copyToEmptyCells(7));
    for (int i = 0; i < LayoutPage::kSlots; ++i)
        ASSERT_EQ(page.photo(i), a);
    EXPECT_EQ(page.deleteCell(7), nullptr) << "still shown elsewhere";
    EXPECT_EQ(page.clear().size(), 0u) << "the clipboard keeps the photo alive";
    EXPECT_EQ(page.clearClipboard(), a);
    EXPECT_TRUE(page.isEmpty());
}

TEST(LayoutPage, RotatePhotoTurnsOnlyThatSlotClockwise)
{
    test::FakeHost host;
    const Allocator allocator(host);
    LayoutPage page;
    EXPECT_FALSE(page.rotatePhoto(2, allocator)) << "an empty cell has nothing to turn";

    // A 3 × 2 photo whose top-left pixel alone is red.
    const PhotoHandle a = photo(3, 2);
    a->row(0)[2] = 0xFF;
    page.setPhoto(2, a);
    page.setPhoto(5, a);
    const auto gone = page.rotatePhoto(2, allocator);
    ASSERT_TRUE(gone);
    EXPECT_EQ(*gone, nullptr) << "slot 5 still shows the unturned photo";
    const PhotoHandle& turned = page.photo(2);
    ASSERT_NE(turned, a);
    EXPECT_EQ(turned->width(), 2);
    EXPECT_EQ(turned->height(), 3);
    // Turned clockwise, the top-left corner goes to the top-right; nothing else is red.
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(turned->row(y)[3 * x + 2], (x == 1 && y == 0) ? 0xFF : 0) << x << "," << y;
    EXPECT_EQ(page.photo(5), a);
    EXPECT_EQ(a->width(), 3) << "the original photo is left as it was";

    // Turning the last slot that shows a photo hands it back so its document can follow.
    EXPECT_EQ(page.rotatePhoto(5, allocator).value_or(nullptr), a);
    EXPECT_FALSE(page.holds(a.get()));
    EXPECT_EQ(page.photo(5)->width(), 2);
}

TEST(LayoutPage, ObjectAndTextLimitsAre99)
{
    LayoutPage page;
    for (int i = 0; i < 99; ++i)
        ASSERT_TRUE(page.addPhotoObject({{0, 0, 1, 1}, 0}));
    EXPECT_FALSE(page.addPhotoObject({{0, 0, 1, 1}, 0}));
    EXPECT_EQ(page.photoObjects().size(), 99u);
    TextList& texts = page.freeStyleTexts();
    for (int i = 0; i < 99; ++i)
        ASSERT_TRUE(texts.add({}));
    EXPECT_FALSE(texts.add({}));
    EXPECT_EQ(texts.items().size(), 99u);
}

TEST(TextList, ProportionTest)
{
    const TextList square({0, 0, 100, 100});
    EXPECT_FALSE(square.fits({0, 0, 400, 300})) << "a square list does not show in a 4:3 box";
    EXPECT_TRUE(square.fits({0, 0, 300, 290}));
    EXPECT_FALSE(TextList().fits({0, 0, 1, 1}));
    // Opening the text screen over another shape starts a new list.
    LayoutPage page;
    page.textListFor(0, {0, 0, 100, 100}).add({});
    EXPECT_TRUE(page.textListFor(0, {0, 0, 400, 300}).items().empty());
}

TEST(FreeStyle, AdjustSizeKeepsTheCornerInsideThePrintableArea)
{
    // One view pixel per printer pixel at 100 dpi: an inch is 100 view pixels.
    ViewPage view;
    view.printable = {0, 0, 800, 1000};
    view.page.dpiX = view.page.dpiY = 100;
    view.page.printableWidth = 800;
    view.page.printableHeight = 1000;
    EXPECT_EQ(adjustSize({10, 20, 50, 50}, {600, 400}, 0, SizePreset::Small, view), (Rect{10, 20, 210, 153}));
    EXPECT_EQ(adjustSize({700, 900, 750, 950}, {600, 400}, 0, SizePreset::Small, view), (Rect{600, 867, 800, 1000}));
    EXPECT_EQ(adjustSize({10, 20, 50, 50}, {600, 300}, 0, SizePreset::Dpi150, view), (Rect{10, 20, 410, 220}));
    // Too large for the page: fitted into the whole printable area.
    EXPECT_EQ(adjustSize({10, 20, 50, 50}, {6000, 3000}, 0, SizePreset::Dpi100, view), (Rect{0, 300, 800, 700}));
    // The default size uses the photo's own resolution, limited to 100..300 dpi.
    EXPECT_EQ(adjustSize({0, 0, 1, 1}, {300, 300}, 11811, SizePreset::Default, view), (Rect{0, 0, 100, 100}));
    EXPECT_EQ(adjustSize({0, 0, 1, 1}, {300, 300}, 0, SizePreset::Default, view), (Rect{0, 0, 300, 300}));
    // A corner outside the printable area leaves the object alone.
    EXPECT_EQ(adjustSize({900, 0, 950, 50}, {100, 100}, 0, SizePreset::Pocket, view), (Rect{900, 0, 950, 50}));
    EXPECT_EQ(sizeReadout(" Photo Size: ", {0, 0, 400, 600}, view, SizeUnit::Inch), " Photo Size: 4.0\" x 6.0\"");
    EXPECT_EQ(sizeReadout("Text Size:", {0, 0, 100, 50}, view, SizeUnit::Centimetre), "Text Size:2.5Cm x 1.3Cm");
}
