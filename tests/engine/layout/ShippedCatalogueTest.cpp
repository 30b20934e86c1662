// The label sheets and backgrounds the program ships must make sense on the paper they name.

#include "FakeHost.h"
#include "codecs/JpegReader.h"
#include "image/Allocator.h"
#include "layout/BackgroundCatalog.h"
#include "layout/LabelSheets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>

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

TEST(ShippedCatalogue, SheetsCoverTheCommonProductsWithoutOverlappingCells)
{
    const ProfileFile labelSpec(kProgramData / "lblspec.ini");
    const auto prefixes = readLabelPrefixes(labelSpec);
    std::size_t products = 0;
    std::set<std::string> names;
    for (const PageGeometry& page : {paper(5100, 6600), paper(4958, 7017)}) {
        for (const auto& prefix : prefixes) {
            const std::string section = labelSectionName(prefix.key, page);
            const auto entries = labelSpec.readSection(section);
            const auto sheets = readLabelSheets(labelSpec, section, page);
            // Every entry of the file is a readable sheet: none is passed over.
            EXPECT_EQ(sheets.size(), entries.size()) << section;
            products += sheets.size();
            for (const auto& [name, value] : entries) {
                // The file's own pitches, before the reader raises them, keep the cells apart.
                std::vector<int> v;
                std::istringstream fields(value);
                for (std::string field; std::getline(fields, field, ',');)
                    v.push_back(std::stoi(field));
                ASSERT_EQ(v.size(), 8u) << name;
                EXPECT_GE(v[0], 0) << name;
                EXPECT_GE(v[1], 0) << name;
                EXPECT_GE(v[4], v[2]) << name << ": cells overlap across";
                EXPECT_GE(v[5], v[3]) << name << ": cells overlap down";
                names.insert(name);
            }
            // At a coarser printer resolution the converted sheets still fit the paper.
            PageGeometry coarse = page;
            coarse.dpiX = coarse.dpiY = 300;
            coarse.paperWidth = page.paperWidth / 2;
            coarse.paperHeight = page.paperHeight / 2;
            for (const auto& s : readLabelSheets(labelSpec, section, coarse)) {
                const Rect last = s.cell(s.cellCount() - 1);
                EXPECT_LE(last.right, coarse.paperWidth) << s.name;
                EXPECT_LE(last.bottom, coarse.paperHeight) << s.name;
            }
        }
    }
    EXPECT_GE(prefixes.size(), 6u);
    EXPECT_GE(products, 150u);
    // The kinds of product users look for, on both papers.
    for (const char* kind : {"Address", "Shipping", "Parcel", "Return Address", "Name Badge", "File Folder",
                             "CD/DVD", "Round Sticker", "Square Sticker", "Business Card", "Postcard", "Wallet",
                             "Index Card", "Full Sheet", "Half Sheet", "Photo"}) {
        const bool found = std::any_of(names.begin(), names.end(),
            [&](const std::string& name) { return name.find(std::string(" ") + kind + " ") != std::string::npos; });
        EXPECT_TRUE(found) << kind;
    }
}

TEST(ShippedCatalogue, EveryBackgroundHasBothPicturesInTheirOrientation)
{
    // The backgrounds are drawn at build time into the build tree's program folder.
    const std::filesystem::path built = GLIMMER_BUILD_DATADIR;
    const auto catalogue = BackgroundCatalog::read(ProfileFile(built / "template/template.lst"));
    ASSERT_GE(catalogue.entries().size(), 8u);
    ASSERT_EQ(catalogue.listNames().size(), 2 + catalogue.entries().size());
    EXPECT_EQ(catalogue.listNames()[0], "None ");
    ASSERT_NE(catalogue.entryAt(2), nullptr);
    EXPECT_EQ(catalogue.entryAt(1), nullptr);
    test::FakeHost host;
    const Allocator allocator{host};
    std::set<std::string> names;
    for (const auto& e : catalogue.entries()) {
        EXPECT_TRUE(names.insert(e.name).second) << e.name;
        const auto portrait = readJpegFile((built / e.portraitFile).string(), allocator);
        const auto landscape = readJpegFile((built / e.landscapeFile).string(), allocator);
        ASSERT_TRUE(portrait.ok() && landscape.ok()) << e.name;
        EXPECT_LT(portrait.image->width(), portrait.image->height()) << e.portraitFile;
        EXPECT_GT(landscape.image->width(), landscape.image->height()) << e.landscapeFile;
    }
}
