#include "album/AlbumRegistry.h"
#include "album/CameraPhotoName.h"
#include "shell/ProfileFile.h"
#include "shell/UserSettings.h"

#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

TEST(AlbumRegistry, NumbersRenamesAndDeletes)
{
    test::TempDir dir;
    test::writeFile(dir / "GLMPRESS.INI",
        "[USER]\nVersion=201\n[ALBUMS]\nalbum2.abm=Holiday\nalbum7.abm=Garden\n"
        "[EDALBUM]\nmine.abm=Edits\n[ALBUMCUR]\nALBUMS=1\nEDALBUM=-4\n");
    test::writeFile(dir / "data" / "albums" / "album2.abm", "x");
    ProfileFile ini(dir / "GLMPRESS.INI");
    AlbumRegistry registry(ini, dir / "data");

    EXPECT_EQ(registry.count(AlbumFamily::General), 2);
    EXPECT_EQ(registry.displayName(AlbumFamily::General, 1), "Garden");
    EXPECT_EQ(registry.path(AlbumFamily::General, 0), dir / "data" / "albums" / "album2.abm")
        << "the folder matches the section name without regard to case";
    EXPECT_EQ(registry.currentIndex(AlbumFamily::General), 1);
    EXPECT_EQ(registry.currentIndex(AlbumFamily::Edit), 0) << "negative reads as 0";

    EXPECT_EQ(registry.create(AlbumFamily::General), 8);
    EXPECT_EQ(registry.displayName(AlbumFamily::General, 2), "Untitled-8");
    EXPECT_EQ(registry.create(AlbumFamily::Edit), 1) << "no number in the names";
    EXPECT_EQ(registry.create(AlbumFamily::Crop), 1);

    ASSERT_TRUE(registry.rename(AlbumFamily::General, 0, "Summer at the sea"));
    ASSERT_TRUE(registry.remove(AlbumFamily::General, 0));
    EXPECT_FALSE(std::filesystem::exists(dir / "data" / "albums" / "album2.abm"));
    EXPECT_EQ(registry.displayName(AlbumFamily::General, 0), "Garden");

    ProfileFile back(dir / "GLMPRESS.INI");
    EXPECT_EQ(back.readSection("ALBUMS"),
        (std::vector<std::pair<std::string, std::string>> {
            { "album7.abm", "Garden" }, { "album8.abm", "Untitled-8" } }));
    EXPECT_EQ(back.readString("CRPALBUM", "album1.abm", ""), "Untitled-1");
    EXPECT_EQ(back.readString("EDALBUM", "mine.abm", ""), "Edits");
    EXPECT_EQ(back.readInt("USER", "Version", 0), 201) << "other sections stay";

    EXPECT_EQ(albumFamilyForMode(1), AlbumFamily::General);
    EXPECT_EQ(albumFamilyForMode(3), AlbumFamily::Edit);
    EXPECT_EQ(albumFamilyForMode(9), AlbumFamily::General);
}

TEST(AlbumRegistry, KeepsAtMostAHundredEntriesOf63Characters)
{
    test::TempDir dir;
    std::string ini = "[FRMALBUM]\n";
    for (int i = 1; i <= 105; ++i)
        ini += "album" + std::to_string(i) + ".abm=" + std::string(80, 'n') + "\n";
    test::writeFile(dir / "GLMPRESS.INI", ini);
    ProfileFile file(dir / "GLMPRESS.INI");
    AlbumRegistry registry(file, dir.path());
    EXPECT_EQ(registry.count(AlbumFamily::Frame), 100);
    EXPECT_EQ(("album1.abm=" + registry.displayName(AlbumFamily::Frame, 0)).size(), 63u);
    EXPECT_FALSE(registry.create(AlbumFamily::Frame));
}

TEST(CameraPhotoName, CountsPerDayWithItsMarker)
{
    std::tm day {};
    day.tm_year = 126; // 2026: marker index (126 + 3) mod 5 = 4
    day.tm_mon = 2;
    day.tm_mday = 5;
    EXPECT_EQ(cameraPhotoFileName(7, day), "Mar05$07.jpg");
    EXPECT_EQ(cameraPhotoFileName(123, day), "Mar05123.jpg");
    EXPECT_EQ(cameraDateStamp(day), 305);

    test::TempDir dir;
    ProfileFile ini(dir / "GLMPRESS.INI");
    UserSettings settings;
    settings.currCamNum = 41;
    settings.currCamDate = 305;
    EXPECT_EQ(nextCameraPhotoPath(settings, ini, dir / "data", day), dir / "data" / "photos" / "Mar05$41.jpg");
    EXPECT_EQ(settings.currCamNum, 42);
    EXPECT_EQ(ini.readInt("USER", "CurrCamNum", 0), 42);
    day.tm_mday = 6;
    EXPECT_EQ(nextCameraPhotoPath(settings, ini, dir.path(), day).filename(), "Mar06$01.jpg") << "a new day";
    settings.currCamNum = 1000;
    EXPECT_EQ(nextCameraPhotoPath(settings, ini, dir.path(), day).filename(), "Mar06$01.jpg") << "out of range";
    EXPECT_EQ(ini.readInt("USER", "CurrCamDate", 0), 306);
}

} // namespace
