#include "layout/CellReadout.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace gp;

namespace {

Image photo(int w, int h)
{
    return std::move(Image::create(w, h, 24)).value();
}

} // namespace

TEST(CellReadout, EffectiveResolutionOfTheFittedPhoto)
{
    const PageGeometry page; // 600 dpi
    const Rect landscape6x4 { 0, 0, 3600, 2400 };
    const auto sharp = cellPrint(landscape6x4, 100, { 3000, 2000 }, page, 150);
    ASSERT_TRUE(sharp);
    EXPECT_EQ(sharp->dpi, 500);
    EXPECT_FALSE(sharp->low);
    EXPECT_DOUBLE_EQ(sharp->widthInches, 6.0);

    const Rect portrait8x10 { 0, 0, 4800, 6000 };
    const auto soft = cellPrint(portrait8x10, 100, { 640, 480 }, page, 150);
    ASSERT_TRUE(soft);
    EXPECT_EQ(soft->dpi, 80) << "640 pixels across 8 inches";
    EXPECT_TRUE(soft->low);
    // At half the cell the same photo prints at twice the resolution.
    EXPECT_EQ(cellPrint(portrait8x10, 50, { 640, 480 }, page, 150)->dpi, 160);
    EXPECT_FALSE(cellPrint(portrait8x10, 100, { 0, 480 }, page, 150));
}

TEST(CellReadout, StatusTextNamesSizePixelsAndLowResolution)
{
    const PageGeometry page;
    LayoutList list;
    list.category = LayoutCategory::Landscape;
    const Image small = photo(640, 480);
    EXPECT_EQ(cellSizeReadout(list, { 0, 0, 4800, 6000 }, page, &small, 100, 150),
        " Photo Size: 8.0x10.0   Photo: 640 x 480 pixels, 80 dpi (low resolution)");
    EXPECT_EQ(cellSizeReadout(list, { 0, 0, 1500, 2100 }, page, nullptr, 100, 150), " Photo Size: 2.5x3.5");
    list.category = LayoutCategory::MyTemplates;
    list.templates = { { "Cards", { { 0, 0, 1000, 1000 } } } };
    EXPECT_EQ(cellSizeReadout(list, { 0, 0, 1500, 2100 }, page, nullptr, 100, 150), "Cards: 2.5x3.5");

    const SheetLayout sheet { "5160", 0, 0, 1575, 600, 1650, 600, 3, 10 };
    EXPECT_EQ(sheetSizeText(sheet, page, SizeUnit::Inch), "Cell size: 2.62\" x 1.00\"");
    EXPECT_EQ(sheetSizeText(sheet, page, SizeUnit::Centimetre), "Cell size: 6.67Cm x 2.54Cm");
}

TEST(CellReadout, ThresholdAndUnitComeFromTheSettings)
{
    test::TempDir dir;
    ProfileFile empty(dir / "none.ini");
    EXPECT_EQ(readLowResolutionDpi(empty), 150);
    EXPECT_EQ(readSizeUnit(empty), SizeUnit::Inch);
    {
        std::ofstream out(dir / "GLMPRESS.INI");
        out << "[USER]\nLowResDpi=200\nSizeUnit=1\n";
    }
    ProfileFile settings(dir / "GLMPRESS.INI");
    EXPECT_EQ(readLowResolutionDpi(settings), 200);
    EXPECT_EQ(readSizeUnit(settings), SizeUnit::Centimetre);
}
