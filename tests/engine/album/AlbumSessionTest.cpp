// The album shown by the album window: current album per family, new and empty albums,
// switching, and what closing does with the album file when saving works and when it fails.

#include "album/AlbumFile.h"
#include "app/AlbumSession.h"
#include "app/App.h"

#include "AlbumTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace gp;

namespace {

struct AlbumSessionTest : ::testing::Test {
    test::TempDir dir;
    test::FakeHost host;
    App app { host, paths() };
    AlbumSession session { app };
    AlbumRegistry& registry = app.albums().registry;

    Paths paths() const
    {
        Paths p;
        p.settingsDir = dir.path();
        p.programDir = p.dataDir = dir / "data";
        p.libraryDir = dir.path();
        return p;
    }
    void addPhotos(int n)
    {
        for (int i = 0; i < n; ++i)
            session.list().append(test::photoItem(app.allocator(), "/p/" + std::to_string(i) + ".bmp", 20));
    }
};

TEST_F(AlbumSessionTest, AnEmptyFamilyGetsAnUntitledAlbumThatVanishesWhenLeftEmpty)
{
    session.show(kAlbumScreenMode);
    ASSERT_EQ(session.albumCount(), 1);
    EXPECT_EQ(session.albumName(), "Untitled-1");
    session.close();
    EXPECT_EQ(registry.count(AlbumFamily::General), 0);

    session.show(kAlbumScreenMode);
    addPhotos(2);
    session.close("Beach");
    ASSERT_EQ(registry.count(AlbumFamily::General), 1);
    EXPECT_EQ(registry.displayName(AlbumFamily::General, 0), "Beach");
    AlbumList reread;
    EXPECT_TRUE(loadAlbum(reread, registry.path(AlbumFamily::General, 0), dir / "data", app.allocator()));
    EXPECT_EQ(reread.count(), 2);
    EXPECT_TRUE(host.messages.empty());

    // The strips never create albums and never remove them.
    session.show(3);
    EXPECT_EQ(session.family(), AlbumFamily::Edit);
    EXPECT_EQ(session.albumCount(), 0);
    session.close();
}

TEST_F(AlbumSessionTest, ANonEmptyAlbumThatCannotBeSavedKeepsItsFileAndEntry)
{
    session.show(kAlbumScreenMode);
    addPhotos(3);
    ASSERT_TRUE(session.save());
    const auto path = session.albumPath();
    const std::string before = test::readFile(path);
    session.list().removeAt(0);
    session.list().setModified(true);
    {
        // A disk that takes no more than 2000 bytes in a file: the album cannot be written,
        // the small settings file still can.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved {};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = 2000;
        setrlimit(RLIMIT_FSIZE, &limited);
        session.close();
        setrlimit(RLIMIT_FSIZE, &saved);
    }
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Insufficient disk space or disk error.");
    EXPECT_EQ(registry.count(AlbumFamily::General), 1) << "the entry stays";
    EXPECT_EQ(test::readFile(path), before) << "the old file stays whole";
}

TEST_F(AlbumSessionTest, AnUnreadableAlbumIsNeitherOverwrittenNorDeleted)
{
    registry.create(AlbumFamily::General);
    const auto path = registry.path(AlbumFamily::General, 0);
    std::filesystem::create_directories(path.parent_path());
    test::writeFile(path, "damaged");
    session.show(kAlbumScreenMode);
    EXPECT_FALSE(session.isReadable());
    EXPECT_TRUE(session.list().isEmpty());
    EXPECT_FALSE(session.save());
    session.close();
    EXPECT_EQ(registry.count(AlbumFamily::General), 1);
    EXPECT_EQ(test::readFile(path), "damaged");
}

TEST_F(AlbumSessionTest, SwitchingCreatingAndDeletingAlbums)
{
    session.show(kAlbumScreenMode);
    addPhotos(1);
    // The entry after the last makes a new album; the first one is saved on the way.
    session.selectAlbum(1);
    EXPECT_EQ(session.albumIndex(), 1);
    EXPECT_EQ(session.albumCount(), 2);
    EXPECT_EQ(session.albumName(), "Untitled-2");
    // Back to the first: the empty second album disappears, and the index stays right.
    session.selectAlbum(0);
    EXPECT_EQ(session.albumCount(), 1);
    EXPECT_EQ(session.list().count(), 1);
    EXPECT_EQ(registry.currentIndex(AlbumFamily::General), 0);

    session.list().setModified(true);
    session.selectAlbum(1);
    addPhotos(2);
    session.selectAlbum(2);
    addPhotos(1);
    session.close();
    session.show(kAlbumScreenMode);
    EXPECT_EQ(session.albumIndex(), 2) << "ALBUMCUR brings back the album last shown";
    // Deleting the first album moves to the last one; deleting another moves to the previous.
    session.selectAlbum(0);
    session.deleteAlbum();
    EXPECT_EQ(session.albumCount(), 2);
    EXPECT_EQ(session.albumIndex(), 1);
    session.deleteAlbum();
    EXPECT_EQ(session.albumIndex(), 0);
    EXPECT_EQ(session.list().count(), 2);
    EXPECT_TRUE(session.rename("Trip"));
    EXPECT_FALSE(session.rename("   "));
    EXPECT_EQ(session.albumName(), "Trip");
}

} // namespace
