// The label sheets and backgrounds the program ships must make sense on the paper they name.

#include "layout/BackgroundCatalog.h"
#include "layout/LabelSheets.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace gp;

namespace {

const std::filesystem::path kProgramData = std::filesystem::path(GLIMMER_SOURCE_DIR) / "data/program";

PageGeometry paper(int widthSixHundredths, int heightSixHundredths)
{
    PageGeometry p;
    p.dpiX = p.dpiY = 600;
    p.paperWidth = p.printableWidth = widthSixHundredths;
    p.paperHeight = p.printableHeight = heightSixHundredths;
    return p;
}

} // namespace

TEST(ShippedCatalogue, EverySheetFitsItsPaper)
{
    const ProfileFile labelSpec(kProgramData / "lblspec.ini");
    const auto prefixes = readLabelPrefixes(labelSpec);
    ASSERT_GE(prefixes.size(), 2u);
    for (const PageGeometry& page : {paper(5100, 6600), paper(4958, 7017)}) {
        for (const auto& prefix : prefixes) {
            const auto sheets = readLabelSheets(labelSpec, labelSectionName(prefix.key, page), page);
            EXPECT_FALSE(sheets.empty()) << prefix.key << " has no sheets for " << page.paperWidth;
            for (const auto& s : sheets) {
                const Rect last = s.cell(s.cellCount() - 1);
                EXPECT_LE(last.right, page.paperWidth) << s.name;
                EXPECT_LE(last.bottom, page.paperHeight) << s.name;
                EXPECT_LE(s.cellCount(), 100) << s.name;
            }
        }
    }
}

TEST(ShippedCatalogue, EveryBackgroundHasBothPictures)
{
    const auto catalogue = BackgroundCatalog::read(ProfileFile(kProgramData / "template/template.lst"));
    ASSERT_EQ(catalogue.listNames().size(), 2 + catalogue.entries().size());
    EXPECT_EQ(catalogue.listNames()[0], "None ");
    ASSERT_NE(catalogue.entryAt(2), nullptr);
    EXPECT_EQ(catalogue.entryAt(1), nullptr);
    for (const auto& e : catalogue.entries()) {
        EXPECT_TRUE(std::filesystem::is_regular_file(kProgramData / e.portraitFile)) << e.portraitFile;
        EXPECT_TRUE(std::filesystem::is_regular_file(kProgramData / e.landscapeFile)) << e.landscapeFile;
    }
}
