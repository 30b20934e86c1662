#include "album/AlbumFile.h"
#include "album/AlbumFormat.h"
#include "base/AtomicFile.h"
#include "base/ByteReader.h"

#include "AlbumTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

struct AlbumFileTest : ::testing::Test {
    test::TempDir dir;
    test::FakeHost host;
    Allocator allocator { host };

    AlbumList threePhotos()
    {
        AlbumList album;
        album.setDescription("Summer");
        album.append(test::photoItem(allocator, "/photos/a.jpg", 10, 100, 1000, "first"));
        album.append(test::photoItem(allocator, "/photos/b.jpg", 120, 200, 2000));
        album.append(test::photoItem(allocator, "/photos/c.jpg", 3, 300, 3000, "third"));
        return album;
    }

    std::vector<std::uint8_t> bytesOf(const std::filesystem::path& path)
    {
        return std::move(readWholeFile(path, 1 << 24)).value();
    }
};

TEST_F(AlbumFileTest, WritesTheDocumentedLayout)
{
    AlbumList album = threePhotos();
    album.photos()[1].setSelected(true);
    ASSERT_TRUE(saveAlbum(album, dir / "a.abm", host));
    EXPECT_FALSE(album.isModified());
    const auto bytes = bytesOf(dir / "a.abm");

    ASSERT_GE(bytes.size(), kAlbumHeaderSize);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "PALM");
    EXPECT_EQ(loadU32Le(&bytes[4]), bytes.size()) << "total length is the file's length";
    EXPECT_EQ(loadU32Le(&bytes[8]), 3u);
    EXPECT_EQ(loadU32Le(&bytes[12]), 144u + 288u * 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[16])), "Summer");

    std::uint32_t expectedOffset = 0;
    std::size_t thumbnails = 0;
    for (int i = 0; i < 3; ++i) {
        const std::uint8_t* record = &bytes[144 + 288 * i];
        const auto& item = album.photos()[std::size_t(i)];
        EXPECT_EQ(loadU32Le(record + 272), expectedOffset) << "photo " << i;
        EXPECT_EQ(loadU32Le(record + 280), item.thumbnail.size());
        EXPECT_EQ(loadU32Le(record + 284), 0u) << "the selected flag is not stored";
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(record + 8)), item.record.path);
        EXPECT_EQ(loadU16Le(record + 268), item.record.width);
        const std::uint8_t* thumbnail = &bytes[144 + 288 * 3 + expectedOffset];
        EXPECT_TRUE(std::equal(item.thumbnail.begin(), item.thumbnail.end(), thumbnail));
        expectedOffset += std::uint32_t(item.thumbnail.size());
        thumbnails += item.thumbnail.size();
    }
    EXPECT_EQ(bytes.size(), 144 + 288 * 3 + thumbnails);
}

TEST_F(AlbumFileTest, ReadsBackAndWritesByteIdentical)
{
    AlbumList album = threePhotos();
    ASSERT_TRUE(saveAlbum(album, dir / "a.abm", host));
    AlbumList loaded;
    ASSERT_TRUE(loadAlbum(loaded, dir / "a.abm", dir.path(), allocator));
    EXPECT_EQ(loaded.description(), "Summer");
    ASSERT_EQ(loaded.count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(loaded.photos()[std::size_t(i)].thumbnail, album.photos()[std::size_t(i)].thumbnail);
        EXPECT_EQ(
            loaded.photos()[std::size_t(i)].record.description, album.photos()[std::size_t(i)].record.description);
    }
    loaded.setModified(true);
    ASSERT_TRUE(saveAlbum(loaded, dir / "b.abm", host));
    EXPECT_EQ(bytesOf(dir / "a.abm"), bytesOf(dir / "b.abm"));
}

TEST_F(AlbumFileTest, MovesInPiecesWithProgressAndStopsOnEscape)
{
    AlbumList album;
    for (int i = 0; i < 20; ++i) // 20 thumbnails of about 27 KB: several pieces
        album.append(test::photoItem(allocator, "/p/" + std::to_string(i) + ".jpg", 96));
    ASSERT_TRUE(saveAlbum(album, dir / "a.abm", host));
    const std::size_t size = std::filesystem::file_size(dir / "a.abm");
    const std::size_t pieces = (size + 32766) / 32767;
    EXPECT_EQ(host.escapePolls, int(pieces)) << "one abort test before each piece";
    ASSERT_FALSE(host.statusTexts.empty());
    EXPECT_EQ(host.statusTexts.back(), "  Ready");
    EXPECT_NE(std::find_if(host.statusTexts.begin(), host.statusTexts.end(),
                  [](const std::string& s) { return s.rfind("  Saving: ", 0) == 0; }),
        host.statusTexts.end());

    host.escapeAfterPolls = host.escapePolls + 2;
    AlbumList other = threePhotos();
    EXPECT_FALSE(saveAlbum(album, dir / "a.abm", host)) << "Escape during the write";
    EXPECT_EQ(std::filesystem::file_size(dir / "a.abm"), size) << "the old album stays whole";
    (void)other;

    host.escapeAfterPolls = -1;
    AlbumList loaded;
    ASSERT_TRUE(loadAlbum(loaded, dir / "a.abm", dir.path(), allocator));
    EXPECT_EQ(loaded.count(), 20);
    host.escapeAfterPolls = host.escapePolls + 1;
    EXPECT_FALSE(loadAlbum(loaded, dir / "a.abm", dir.path(), allocator));
    EXPECT_TRUE(loaded.isEmpty()) << "an aborted load leaves no half album";
}

TEST_F(AlbumFileTest, EmptyAlbumIsNotWritten)
{
    AlbumList album;
    EXPECT_FALSE(saveAlbum(album, dir / "a.abm", host));
    EXPECT_FALSE(std::filesystem::exists(dir / "a.abm"));
}

TEST_F(AlbumFileTest, TruncatedOrDamagedFilesLoadWhatTheyCan)
{
    AlbumList album = threePhotos();
    ASSERT_TRUE(saveAlbum(album, dir / "a.abm", host));
    const auto bytes = bytesOf(dir / "a.abm");
    auto write = [&](const std::vector<std::uint8_t>& b) {
        test::writeFile(dir / "x.abm", std::string(b.begin(), b.end()));
        AlbumList loaded;
        const bool complete = loadAlbum(loaded, dir / "x.abm", dir.path(), allocator);
        return std::make_pair(complete, loaded.count());
    };

    // Cut inside the last thumbnail: two photos remain.
    auto cut = bytes;
    cut.resize(bytes.size() - 5);
    EXPECT_EQ(write(cut), std::make_pair(false, 2));
    // Cut inside the second thumbnail.
    cut.resize(144 + 288 * 3 + album.photos()[0].thumbnail.size() + 10);
    EXPECT_EQ(write(cut), std::make_pair(false, 1));
    // Cut inside the record table.
    cut.resize(144 + 288 + 100);
    EXPECT_EQ(write(cut), std::make_pair(false, 0));
    // Short header, wrong magic.
    cut.resize(100);
    EXPECT_EQ(write(cut), std::make_pair(false, 0));
    auto wrong = bytes;
    wrong[0] = 'X';
    EXPECT_EQ(write(wrong), std::make_pair(false, 0));
    // A thumbnail offset far past the end stops at that photo.
    auto hostile = bytes;
    storeU32Le(&hostile[144 + 288 + 272], 0xFFFFFFF0u);
    EXPECT_EQ(write(hostile), std::make_pair(false, 1));
    // A huge count with no records behind it.
    hostile = bytes;
    storeU32Le(&hostile[8], 0xFFFFFFFFu);
    EXPECT_EQ(write(hostile).first, false);
    // A thumbnail length beyond the memory ceiling warns and stops.
    hostile = bytes;
    storeU32Le(&hostile[144 + 280], 0x7FFFFFFFu);
    allocator.setCeiling(1 << 20);
    EXPECT_EQ(write(hostile), std::make_pair(false, 0));
    EXPECT_EQ(host.messageTexts().back(), "There is not enough memory.");
}

TEST_F(AlbumFileTest, RelativePathsBecomeAbsolute)
{
    AlbumList album = threePhotos();
    album.photos()[0].record.path = "samples\\a.jpg";
    album.photos()[0].record.pathKind = 1;
    album.photos()[1].record.path = "x:\\cd\\b.jpg";
    album.photos()[1].record.pathKind = 2;
    ASSERT_TRUE(saveAlbum(album, dir / "a.abm", host));
    AlbumList loaded;
    ASSERT_TRUE(loadAlbum(loaded, dir / "a.abm", "/opt/program", allocator));
    EXPECT_EQ(loaded.photos()[0].record.path, "/opt/program/samples/a.jpg");
    EXPECT_EQ(loaded.photos()[0].record.pathKind, 0);
    EXPECT_EQ(loaded.photos()[1].record.path, "d:/cd/b.jpg");
    EXPECT_EQ(loaded.photos()[2].record.path, "/photos/c.jpg");
}

TEST_F(AlbumFileTest, ReadsAtMost5000Photos)
{
    AlbumList album;
    for (int i = 0; i < 5000; ++i) {
        PhotoItem item;
        item.record.path = "/p/" + std::to_string(i);
        ASSERT_TRUE(album.append(std::move(item)));
    }
    EXPECT_FALSE(album.append(PhotoItem {})) << "the 5001st photo is refused";
    auto bytes = encodeAlbum("", album.photos());
    // Claim one more record and add its bytes: the reader still stops at 5000.
    storeU32Le(&bytes[8], 5001);
    bytes.insert(bytes.begin() + 144 + 288 * 5000, 288, 0);
    auto decoded = decodeAlbum(bytes, 1 << 20);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->photos.size(), 5000u);
    EXPECT_TRUE(decoded->complete);
}

} // namespace

namespace {

// The fuzz seeds are made by a separate script from the documented layout, so reading them
// checks the decoder against an independent writer.
TEST(AlbumFileSeeds, ReadsAnAlbumWrittenElsewhere)
{
    test::FakeHost host;
    Allocator allocator(host);
    const std::filesystem::path seeds = std::filesystem::path(GLIMMER_SOURCE_DIR) / "fuzz/seeds/album_file";
    AlbumList album;
    ASSERT_TRUE(loadAlbum(album, seeds / "three-photos.abm", "/prog", allocator));
    EXPECT_EQ(album.description(), "Seeds");
    ASSERT_EQ(album.count(), 3);
    EXPECT_EQ(album.photos()[0].record.path, "/photos/a.jpg");
    EXPECT_EQ(album.photos()[0].record.description, "Beach");
    EXPECT_EQ(album.photos()[1].record.path, "/prog/samples/b.bmp");
    EXPECT_EQ(album.photos()[2].record.path, "d:/cd/c.jpg");
    auto second = Image::fromPacked(album.photos()[1].thumbnail);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->width(), 2);
    EXPECT_EQ(second->height(), 5);

    // Cut inside the first thumbnail; a count that puts the thumbnail area past the end.
    EXPECT_FALSE(loadAlbum(album, seeds / "truncated.abm", "/prog", allocator));
    EXPECT_EQ(album.count(), 0);
    EXPECT_FALSE(loadAlbum(album, seeds / "huge-count.abm", "/prog", allocator));
    EXPECT_EQ(album.count(), 0);
    EXPECT_TRUE(loadAlbum(album, seeds / "unterminated-texts.abm", "/prog", allocator));
    EXPECT_EQ(album.description(), std::string(127, 'D'));
    EXPECT_EQ(album.photos()[0].record.path, std::string(127, 'P'));
}

} // namespace
