#include "album/AlbumList.h"
#include "album/AlbumSort.h"

#include "AlbumTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

std::vector<std::string> paths(const AlbumList& album)
{
    std::vector<std::string> out;
    for (const auto& item : album.photos())
        out.push_back(item.record.path);
    return out;
}

PhotoItem item(const std::string& path, std::uint32_t size = 0, std::uint32_t time = 0, const std::string& text = {})
{
    PhotoItem i;
    i.record.path = path;
    i.record.fileSize = size;
    i.record.fileTime = time;
    i.record.description = text;
    return i;
}

AlbumList sample()
{
    AlbumList album;
    album.append(item("/x/Beta.JPG", 300, 20, "b"));
    album.append(item("/y/alpha.bmp", 100, 30, "c"));
    album.append(item("/a/gamma.tif", 200, 10, "a"));
    album.setModified(false);
    return album;
}

TEST(AlbumSort, OrdersByEachKey)
{
    AlbumList album = sample();
    EXPECT_TRUE(sortAlbum(album, { AlbumSortKey::FileName, false }));
    EXPECT_EQ(paths(album), (std::vector<std::string> { "/y/alpha.bmp", "/x/Beta.JPG", "/a/gamma.tif" }))
        << "by the name after the last separator, ignoring case";
    EXPECT_TRUE(album.isModified());

    sortAlbum(album, { AlbumSortKey::FileType, false });
    EXPECT_EQ(paths(album), (std::vector<std::string> { "/y/alpha.bmp", "/x/Beta.JPG", "/a/gamma.tif" }));
    sortAlbum(album, { AlbumSortKey::FileDate, false });
    EXPECT_EQ(paths(album), (std::vector<std::string> { "/y/alpha.bmp", "/x/Beta.JPG", "/a/gamma.tif" }))
        << "newest first";
    sortAlbum(album, { AlbumSortKey::Description, false });
    EXPECT_EQ(paths(album), (std::vector<std::string> { "/a/gamma.tif", "/x/Beta.JPG", "/y/alpha.bmp" }));
    sortAlbum(album, { AlbumSortKey::FileDate, true });
    EXPECT_EQ(paths(album).front(), "/a/gamma.tif") << "reversed: oldest first";
}

TEST(AlbumSort, SizeReversedTwiceGivesLargestFirst)
{
    AlbumList album = sample();
    sortAlbum(album, { AlbumSortKey::FileSize, true });
    EXPECT_EQ(album.photos().front().record.fileSize, 300u);
    album.setModified(false);
    EXPECT_FALSE(sortAlbum(album, { AlbumSortKey::FileSize, true })) << "nothing moves the second time";
    EXPECT_FALSE(album.isModified());
    EXPECT_EQ(album.photos().front().record.fileSize, 300u);
    EXPECT_EQ(album.photos().back().record.fileSize, 100u);
}

TEST(AlbumSort, SelectionSortSwapsTheFirstBestIntoPlace)
{
    // Equal keys: swapping moves B behind C, where a stable sort would keep B first.
    AlbumList album;
    album.append(item("B", 2));
    album.append(item("A1", 1));
    album.append(item("C", 2));
    album.append(item("A2", 1));
    sortAlbum(album, { AlbumSortKey::FileSize, false });
    EXPECT_EQ(paths(album), (std::vector<std::string> { "A1", "A2", "C", "B" }));
}

TEST(AlbumList, MoveRemoveAndContains)
{
    AlbumList album;
    for (const char* p : { "/a", "/b", "/c", "/d" })
        album.append(item(p));
    album.move(0, 2);
    EXPECT_EQ(paths(album), (std::vector<std::string> { "/b", "/c", "/a", "/d" }));
    album.move(3, 0);
    EXPECT_EQ(paths(album), (std::vector<std::string> { "/d", "/b", "/c", "/a" }));
    EXPECT_TRUE(album.contains("/B"));
    EXPECT_FALSE(album.contains("/e"));
    album.setSelection(3);
    album.removeAt(3);
    EXPECT_EQ(album.selection(), 2) << "the selection moves to the last photo";
}

TEST(AlbumList, RemovesSelectedAndOptionallyTheirFiles)
{
    test::TempDir dir;
    test::FakeHost host;
    test::writeFile(dir / "a.jpg", "a");
    test::writeFile(dir / "c.jpg", "c");
    AlbumList album;
    album.setGrid(1, 2);
    for (const char* name : { "a.jpg", "b.jpg", "c.jpg", "d.jpg" })
        album.append(item((dir / name).string()));
    EXPECT_EQ(album.firstVisibleRow(), 2) << "adding scrolls the last row into view";
    album.photos()[0].setSelected(true);
    album.photos()[1].setSelected(true); // its file does not exist
    album.setSelection(3);
    EXPECT_EQ(album.removeSelected(DeleteFiles::Yes, host), 2);
    EXPECT_FALSE(std::filesystem::exists(dir / "a.jpg"));
    EXPECT_EQ(host.messageTexts(), (std::vector<std::string> { "Cannot delete this file." }));
    EXPECT_EQ(album.count(), 2);
    EXPECT_EQ(album.selection(), 1);
    EXPECT_EQ(album.firstVisibleRow(), 0);

    album.photos()[0].setSelected(true);
    album.removeSelected(DeleteFiles::No, host);
    EXPECT_TRUE(std::filesystem::exists(dir / "c.jpg")) << "thumbnails only";
    EXPECT_EQ(album.count(), 1);
}

} // namespace
