#include "layout/LayoutList.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

PageGeometry page(int printableW, int printableH, int dpi = 600)
{
    PageGeometry p;
    p.dpiX = p.dpiY = dpi;
    p.printableWidth = printableW;
    p.printableHeight = printableH;
    p.paperWidth = printableW + 300;
    p.paperHeight = printableH + 600;
    p.wholeInchWidth = dpi * std::max(1, printableW / dpi);
    p.wholeInchHeight = dpi * std::max(1, printableH / dpi);
    return p;
}

} // namespace

TEST(LayoutList, GridIsCentredAndAtLeastOneInch)
{
    LayoutList list;
    list.category = LayoutCategory::Mixed;
    buildLayoutList(list, {}, page(4800, 6120));
    EXPECT_EQ(list.gridColumns, 8);
    EXPECT_EQ(list.gridRows, 10);
    EXPECT_EQ(list.gridOffset, (Point{0, 60}));
    EXPECT_EQ(list.displayRows, (list.entries - 1) / 3 + 1);

    buildLayoutList(list, {}, page(500, 6120));
    EXPECT_EQ(list.gridColumns, 1) << "narrower than an inch is still one column";
    EXPECT_EQ(list.gridOffset.x, (500 - 600) / 2);
}

TEST(LayoutList, OneSizeGridsBecomeLabelsWithTheFlag)
{
    LayoutList list;
    list.category = LayoutCategory::OneSize;
    buildLayoutList(list, {}, page(4800, 4800));
    EXPECT_EQ(list.category, LayoutCategory::Labels);
    EXPECT_TRUE(list.oneSize);
    ASSERT_FALSE(list.sheets.empty());
    EXPECT_LE(list.sheets.size(), 36u);
    bool hasOne = false;
    for (const auto& s : list.sheets) {
        EXPECT_FALSE((s.columns == 1 && s.rows == 3) || (s.columns == 3 && s.rows == 1));
        hasOne = hasOne || (s.columns == 1 && s.rows == 1);
        EXPECT_EQ(s.left, 150);
        EXPECT_EQ(s.top, 300);
    }
    EXPECT_TRUE(hasOne);
    // Rebuilding keeps the one-size grids.
    buildLayoutList(list, {}, page(4800, 4800));
    EXPECT_TRUE(list.oneSize);
    EXPECT_EQ(list.sheets[0].columns, 1);
}

TEST(LayoutList, LabelsFallBackToTheWholePage)
{
    test::TempDir dir;
    const ProfileFile labelSpec(dir / "lblspec.ini");
    LayoutList list;
    list.category = LayoutCategory::Labels;
    buildLayoutList(list, {&labelSpec, nullptr}, page(4800, 6000));
    ASSERT_EQ(list.entries, 1);
    EXPECT_EQ(list.sheets[0].cellWidth, 4800);
}

TEST(LayoutList, UserTemplatesAreRotatedOnALandscapePage)
{
    test::TempDir dir;
    TemplateStore store(dir / "template.udf");
    ASSERT_TRUE(store.open());
    const PageGeometry portrait = page(4800, 6120);
    const int group = store.findOrAddGroup(templateGroupKey(portrait));
    EXPECT_EQ(store.templateCount(group), 0);
    ASSERT_TRUE(store.add(group, {"A", {{0, 0, 1000, 2000}}}));

    LayoutList list;
    list.category = LayoutCategory::MyTemplates;
    list.selected = 7;
    buildLayoutList(list, {nullptr, &store}, portrait);
    ASSERT_EQ(list.entries, 1);
    EXPECT_EQ(list.selected, 0) << "the selection is clamped to the last entry";
    EXPECT_EQ(list.templates[0].cells[0], (Rect{0, 0, 1000, 2000}));

    const PageGeometry landscape = page(6120, 4800);
    buildLayoutList(list, {nullptr, &store}, landscape);
    ASSERT_EQ(list.entries, 1) << "the same group serves both orientations";
    EXPECT_EQ(list.templates[0].cells[0], (Rect{0, 8000 - 1000, 2000, 8000}));
}

TEST(LayoutList, FreeStyleHasTenEmptyEntries)
{
    LayoutList list;
    list.category = LayoutCategory::FreeStyle;
    list.selected = 4;
    buildLayoutList(list, {}, page(4800, 6000));
    EXPECT_EQ(list.entries, 10);
    EXPECT_EQ(list.selected, 0);
    EXPECT_TRUE(list.templates.empty());
}
