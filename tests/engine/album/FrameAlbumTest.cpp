// The frame strip's album: made from the frame pictures of the program folder the first time it
// is needed, never made twice, and not left registered when it could not be written.

#include "album/AlbumFile.h"
#include "app/App.h"
#include "app/FrameAlbum.h"
#include "codecs/BmpWriter.h"

#include "FakeHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace gp;

namespace {

struct FrameAlbumTest : ::testing::Test {
    test::TempDir dir;
    test::FakeHost host;
    std::unique_ptr<App> app;

    void start()
    {
        Paths paths;
        paths.settingsDir = dir.path();
        paths.programDir = dir / "program";
        paths.dataDir = dir / "data";
        paths.libraryDir = dir.path();
        app = std::make_unique<App>(host, paths);
    }

    // A frame picture with (or without) its mask in the program folder's frames.
    void addFrame(const std::string& name, bool withMask)
    {
        const auto frames = dir / "program" / "frames";
        std::filesystem::create_directories(frames);
        Image picture = Image::create(40, 30, 24).value();
        ASSERT_EQ(writeBmpFile((frames / (name + ".bmp")).string(), picture), WriteResult::Written);
        if (withMask) {
            Image mask = Image::create(20, 10, 8, 256).value();
            ASSERT_EQ(writeBmpFile((frames / (name + ".msk")).string(), mask), WriteResult::Written);
        }
    }

    AlbumRegistry& registry() { return app->albums().registry; }
};

TEST_F(FrameAlbumTest, MadeOnceFromTheFramesThatHaveAMask)
{
    addFrame("wood", true);
    addFrame("gold", true);
    addFrame("loose", false);
    start();
    ASSERT_TRUE(ensureFrameAlbum(*app));
    ASSERT_EQ(registry().count(AlbumFamily::Frame), 1);
    EXPECT_EQ(registry().displayName(AlbumFamily::Frame, 0), "Frames");
    AlbumList album;
    ASSERT_TRUE(loadAlbum(album, registry().path(AlbumFamily::Frame, 0), dir / "program", app->allocator()));
    ASSERT_EQ(album.count(), 2);
    EXPECT_TRUE(album.photos()[0].record.path.ends_with("gold.bmp"));
    EXPECT_TRUE(album.photos()[1].record.path.ends_with("wood.bmp"));

    // A frame shipped later does not make a second album, nor change the first.
    addFrame("oval", true);
    EXPECT_FALSE(ensureFrameAlbum(*app));
    EXPECT_EQ(registry().count(AlbumFamily::Frame), 1);
    ASSERT_TRUE(loadAlbum(album, registry().path(AlbumFamily::Frame, 0), dir / "program", app->allocator()));
    EXPECT_EQ(album.count(), 2);
    // The other families are left alone.
    EXPECT_EQ(registry().count(AlbumFamily::General), 0);
    EXPECT_EQ(registry().count(AlbumFamily::Crop), 0);
}

TEST_F(FrameAlbumTest, NothingWithoutFramesOrWhereTheAlbumCannotBeWritten)
{
    start();
    EXPECT_FALSE(ensureFrameAlbum(*app));
    EXPECT_EQ(registry().count(AlbumFamily::Frame), 0);

    // A plain file where the family's folder belongs: the album cannot be written, so its entry
    // goes again and the next visit tries once more.
    addFrame("wood", true);
    std::filesystem::create_directories(dir / "data");
    std::ofstream(dir / "data" / "FRMALBUM") << "in the way";
    EXPECT_FALSE(ensureFrameAlbum(*app));
    EXPECT_EQ(registry().count(AlbumFamily::Frame), 0);
    std::filesystem::remove(dir / "data" / "FRMALBUM");
    EXPECT_TRUE(ensureFrameAlbum(*app));
    EXPECT_EQ(registry().count(AlbumFamily::Frame), 1);
}

} // namespace
