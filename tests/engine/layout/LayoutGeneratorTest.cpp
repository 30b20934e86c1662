#include "layout/LayoutGenerator.h"

#include <gtest/gtest.h>

#include <set>

using namespace gp;

namespace {

// Every square of the grid is covered at most once and every cell lies inside the grid.
void expectDisjointInside(const CellTemplate& t, int columns, int rows)
{
    std::vector<int> cover(std::size_t(columns * rows), 0);
    for (const Rect& c : t.cells) {
        ASSERT_GE(c.left, 0);
        ASSERT_GE(c.top, 0);
        ASSERT_LE(c.right, columns);
        ASSERT_LE(c.bottom, rows);
        for (int y = c.top; y < c.bottom; ++y)
            for (int x = c.left; x < c.right; ++x)
                ASSERT_EQ(++cover[std::size_t(y * columns + x)], 1) << "cells overlap";
    }
}

} // namespace

TEST(LayoutGenerator, LetterPageStartsWithTheLargestPhotos)
{
    // 8 × 10 inches printable.
    const auto layouts = generateLayouts(8, 10, SizeFilter::All);
    ASSERT_FALSE(layouts.empty());
    // 10×8 does not fit; 8×10 fills the page alone.
    EXPECT_EQ(layouts[0].cells, (std::vector<Rect>{{0, 0, 8, 10}}));
    // Its variant with the cap halved to 0 moves on: the next start size is 8×8.
    EXPECT_EQ(layouts[1].cells[0], (Rect{0, 0, 8, 8}));
    for (const auto& t : layouts) {
        expectDisjointInside(t, 8, 10);
        EXPECT_GE(t.cells.size(), 1u);
        EXPECT_LE(t.cells.size(), 100u);
    }
    EXPECT_LE(layouts.size(), 200u);
}

TEST(LayoutGenerator, FiltersKeepSquaresAndTheirOrientation)
{
    for (const auto& t : generateLayouts(8, 10, SizeFilter::LandscapeOrSquare))
        for (const Rect& c : t.cells)
            EXPECT_GE(c.width(), c.height());
    for (const auto& t : generateLayouts(8, 10, SizeFilter::PortraitOrSquare))
        for (const Rect& c : t.cells)
            EXPECT_GE(c.height(), c.width());
    // A one-inch page has only the 1×1 layout, under every filter.
    for (auto filter : {SizeFilter::All, SizeFilter::LandscapeOrSquare, SizeFilter::PortraitOrSquare}) {
        const auto tiny = generateLayouts(1, 1, filter);
        ASSERT_EQ(tiny.size(), 1u);
        EXPECT_EQ(tiny[0].cells, (std::vector<Rect>{{0, 0, 1, 1}}));
    }
}

TEST(LayoutGenerator, HalvedCapGivesVariantsWithFewerStartPhotos)
{
    const auto layouts = generateLayouts(4, 4, SizeFilter::All);
    auto countOf = [](const CellTemplate& t, Size s) {
        return std::count_if(t.cells.begin(), t.cells.end(),
                             [&](const Rect& c) { return c.width() == s.width && c.height() == s.height; });
    };
    // Find the first layout started from 4×2 (the 4×2 start comes after 4×4, 4×3 and 3×4).
    auto it = std::find_if(layouts.begin(), layouts.end(),
                           [&](const CellTemplate& t) { return t.cells[0] == Rect{0, 0, 4, 2}; });
    ASSERT_NE(it, layouts.end());
    EXPECT_EQ(countOf(*it, {4, 2}), 2);
    ASSERT_NE(it + 1, layouts.end());
    EXPECT_EQ(countOf(*(it + 1), {4, 2}), 1) << "the cap halves to 1";
    // The 2-inch band left below takes the largest sizes after 4×2 that fit: 3×2, then 1×2.
    EXPECT_EQ((it + 1)->cells, (std::vector<Rect>{{0, 0, 4, 2}, {0, 2, 3, 4}, {3, 2, 4, 4}}));
    for (const auto& t : layouts)
        expectDisjointInside(t, 4, 4);
}

TEST(LayoutGenerator, LargePagesStopAtTwoHundredAndDropOverfullLayouts)
{
    const auto layouts = generateLayouts(13, 19, SizeFilter::All);
    EXPECT_LE(layouts.size(), 200u);
    for (const auto& t : layouts)
        EXPECT_LE(t.cells.size(), 100u) << "13 × 19 one-inch squares would need 247 cells";
}
