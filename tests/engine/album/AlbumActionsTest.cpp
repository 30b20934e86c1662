#include "app/AlbumActions.h"
#include "album/AlbumFile.h"
#include "codecs/WriteImageFile.h"
#include "app/App.h"

#include "AlbumTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

struct AlbumActionsTest : ::testing::Test {
    test::TempDir dir;
    test::FakeHost host;
    App app { host, paths() };

    Paths paths() const
    {
        Paths p;
        p.settingsDir = dir.path();
        p.programDir = dir / "program";
        p.dataDir = dir / "data";
        p.libraryDir = dir / "lib";
        return p;
    }

    std::string bmp(const std::string& name, int w, int h)
    {
        const std::string path = (dir / name).string();
        EXPECT_EQ(writeImageFile(app.imageFiles(), 1, test::gradientPhoto(w, h), path), WriteResult::Written);
        return path;
    }
};

TEST_F(AlbumActionsTest, AddsTheActivePhotoToAGeneralAlbum)
{
    ASSERT_TRUE(app.albums().registry.create(AlbumFamily::General));
    const std::string file = bmp("a.bmp", 300, 400);
    app.currentName() = file;
    ASSERT_TRUE(app.newDocument(test::gradientPhoto(300, 400)));
    EXPECT_EQ(addActivePhotoToAlbum(app, 0), AddOutcome::Added);
    EXPECT_EQ(addActivePhotoToAlbum(app, 0), AddOutcome::Duplicate);
    AlbumList album;
    ASSERT_TRUE(loadAlbum(album, app.albums().registry.path(AlbumFamily::General, 0), dir.path(), app.allocator()));
    ASSERT_EQ(album.count(), 1);
    EXPECT_EQ(album.photos()[0].record.path, file);
    EXPECT_EQ(album.photos()[0].record.thumbnailWidth, 72);
    EXPECT_TRUE(app.albums().open.isEmpty()) << "the open album is not disturbed";

    app.currentName() = "Untitled-Acquired-01";
    ASSERT_TRUE(app.newDocument(test::gradientPhoto(30, 40)));
    EXPECT_EQ(addActivePhotoToAlbum(app, 0), AddOutcome::NotSaved) << "Save As was cancelled";
}

TEST_F(AlbumActionsTest, AddsTheFilesChosenInTheDialog)
{
    FileChoice choice;
    choice.paths = { bmp("a.bmp", 400, 300), bmp("b.bmp", 50, 20) };
    choice.filterIndex = 3;
    host.openChoices.push_back(choice);
    std::vector<std::string> info;
    EXPECT_EQ(addThumbnailsFromDialog(app, [&](std::string_view t) { info.emplace_back(t); }), 2);
    EXPECT_EQ(app.albums().open.count(), 2);
    EXPECT_EQ(app.albums().open.photos()[1].record.thumbnailWidth, 50);
    EXPECT_EQ(app.albums().addThumbnailsFilter, 3) << "the filter position is kept";
    EXPECT_EQ(info.size(), 2u);
    EXPECT_EQ(addThumbnailsFromDialog(app, {}), 0) << "cancelled";
}

TEST_F(AlbumActionsTest, StoresACapturedPhotoUnderTheCameraName)
{
    std::tm day {};
    day.tm_year = 126;
    day.tm_mon = 11;
    day.tm_mday = 7;
    Image gray = std::move(Image::create(120, 80, 8)).value();
    for (int i = 0; i < 256; ++i)
        gray.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    EXPECT_EQ(storeCapturedPhoto(app, gray, day, {}), AddOutcome::Added);
    const auto expected = dir / "data" / "photos" / "Dec07$01.jpg";
    EXPECT_TRUE(std::filesystem::exists(expected));
    ASSERT_EQ(app.albums().open.count(), 1);
    EXPECT_EQ(app.albums().open.photos()[0].record.path, expected.string());
    EXPECT_EQ(app.albums().open.photos()[0].record.thumbnailHeight, 64);
    EXPECT_EQ(app.settings().currCamNum, 2);
}

} // namespace
