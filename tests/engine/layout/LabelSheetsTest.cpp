#include "layout/LabelSheets.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

PageGeometry letterAt(int dpi)
{
    PageGeometry p;
    p.dpiX = p.dpiY = dpi;
    p.printableWidth = 8 * dpi;
    p.printableHeight = 10 * dpi;
    p.paperWidth = 8 * dpi + dpi / 2;
    p.paperHeight = 11 * dpi;
    p.printingOffset = {dpi / 4, dpi / 4};
    return p;
}

} // namespace

TEST(LabelSheets, SectionNamesRoundThePaperTo20Units)
{
    EXPECT_EQ(labelSectionName("AV", letterAt(600)), "AV5100_6600");
    EXPECT_EQ(labelSectionName("AV", letterAt(300)), "AV5100_6600");
    PageGeometry p = letterAt(600);
    p.paperWidth = 5089;
    p.paperHeight = 5091;
    EXPECT_EQ(labelSectionName("X", p), "X5080_5100");
}

TEST(LabelSheets, ReadsPrefixesAndSheetsInPrinterPixels)
{
    test::TempDir dir;
    test::writeFile(dir / "lblspec.ini", "[LABELPREFIX]\nGP=Glimmer\nZZ=A very long display name indeed\n"
                                         "[GP5100_6600]\nAddress=113,300,1575,600,1650,600,3,10\n"
                                         "Tight=0,0,1000,1000,500,200,2,2\nBroken=1,2,3\nNegative=0,0,-5,10,0,0,1,1\n");
    const ProfileFile labelSpec(dir / "lblspec.ini");
    const auto prefixes = readLabelPrefixes(labelSpec);
    ASSERT_EQ(prefixes.size(), 2u);
    EXPECT_EQ(prefixes[0], (LabelPrefix{"GP", "Glimmer"}));
    EXPECT_EQ(prefixes[1].displayName.size(), 19u);

    const auto sheets = readLabelSheets(labelSpec, "GP5100_6600", letterAt(300));
    ASSERT_EQ(sheets.size(), 2u) << "malformed entries are passed over";
    EXPECT_EQ(sheets[0].name, "Address");
    EXPECT_EQ(sheets[0].left, 56);
    EXPECT_EQ(sheets[0].cellWidth, 787);
    EXPECT_EQ(sheets[0].pitchX, 825);
    EXPECT_EQ(sheets[0].cellCount(), 30);
    EXPECT_EQ(sheets[0].cell(4), (Rect{56 + 825, 150 + 300, 56 + 825 + 787, 150 + 300 + 300}));
    // A pitch below the cell size behaves as the cell size.
    EXPECT_EQ(sheets[1].pitchX, 500);
    EXPECT_EQ(sheets[1].pitchY, 500);
}

TEST(LabelSheets, MissingFileGivesTheDefaultPrefixAndTheWholePage)
{
    test::TempDir dir;
    const ProfileFile none(dir / "missing.ini");
    EXPECT_EQ(readLabelPrefixes(none), (std::vector<LabelPrefix>{{"AV", "None"}}));
    const PageGeometry page = letterAt(600);
    const SheetLayout whole = wholePageSheet(page);
    EXPECT_EQ(whole.cell(0), (Rect{150, 150, 150 + 4800, 150 + 6000}));
    EXPECT_EQ(whole.cellCount(), 1);
}

TEST(LabelSheets, AtMost22Prefixes)
{
    test::TempDir dir;
    std::string ini = "[LABELPREFIX]\n";
    for (int i = 0; i < 30; ++i)
        ini += "P" + std::to_string(i) + "=Name\n";
    test::writeFile(dir / "l.ini", ini);
    EXPECT_EQ(readLabelPrefixes(ProfileFile(dir / "l.ini")).size(), 22u);
}
