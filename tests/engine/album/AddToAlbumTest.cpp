#include "album/AddToAlbum.h"
#include "album/AlbumFile.h"

#include "AlbumTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

struct AddToAlbumTest : ::testing::Test {
    test::TempDir dir;
    test::FakeHost host;
    Allocator allocator { host };
    std::vector<std::string> read;
    std::vector<std::string> info;
    // Reads every existing ".ok" file as a 400 × 300 photo and nothing else.
    AlbumAdder adder { allocator,
        [this](const std::string& path) -> std::optional<Image> {
            read.push_back(path);
            if (path.ends_with(".ok"))
                return test::gradientPhoto(400, 300);
            return std::nullopt;
        },
        [this](std::string_view text) { info.emplace_back(text); } };

    std::string photo(const std::string& name)
    {
        test::writeFile(dir / name, "data");
        return (dir / name).string();
    }
};

TEST_F(AddToAlbumTest, AddsOnceAndReportsWhatItDoes)
{
    AlbumList album;
    const std::string a = photo("a.ok");
    EXPECT_EQ(addFileToAlbum(album, a, adder), AddOutcome::Added);
    ASSERT_EQ(album.count(), 1);
    EXPECT_EQ(album.photos()[0].record.thumbnailWidth, 96);
    EXPECT_TRUE(album.isModified());
    EXPECT_EQ(info.back().rfind("  Processing: ", 0), 0u);
    EXPECT_LE(info.back().size(), 14u + 32u);

    EXPECT_EQ(addFileToAlbum(album, a, adder), AddOutcome::Duplicate);
    EXPECT_EQ(album.count(), 1);
    EXPECT_TRUE(host.messages.empty()) << "a duplicate is refused quietly";

    EXPECT_EQ(addFileToAlbum(album, (dir / "gone.ok").string(), adder), AddOutcome::Missing);
    EXPECT_EQ(host.messageTexts(), (std::vector<std::string> { "Can not locate the file." }));
    EXPECT_EQ(addFileToAlbum(album, photo("b.txt"), adder), AddOutcome::Unreadable);
    EXPECT_EQ(album.count(), 1);
}

TEST_F(AddToAlbumTest, RefusesThe5001stPhotoAndStopsTheBatch)
{
    AlbumList album;
    for (int i = 0; i < 4999; ++i) {
        PhotoItem item;
        item.record.path = "/p/" + std::to_string(i);
        album.append(std::move(item));
    }
    const std::vector<std::string> files = { photo("1.ok"), photo("2.ok"), photo("3.ok") };
    EXPECT_EQ(addFilesToAlbum(album, files, adder), 1);
    EXPECT_EQ(album.count(), 5000);
    EXPECT_EQ(host.messageTexts(),
        (std::vector<std::string> {
            "Cannot add more photos to the selected album since it reached maximum 5000 photos." }));
    EXPECT_EQ(read.size(), 1u) << "the third file is not even read";
}

TEST_F(AddToAlbumTest, AddsAnImageToAnotherAlbumFile)
{
    const std::string a = photo("a.ok");
    const auto file = dir / "albums" / "album1.abm";
    const Image picture = test::gradientPhoto(300, 400);
    EXPECT_EQ(addImageToAlbum(file, picture, a, dir.path(), allocator), AddOutcome::Added);
    EXPECT_EQ(addImageToAlbum(file, picture, a, dir.path(), allocator), AddOutcome::Duplicate);
    EXPECT_EQ(addImageToAlbum(file, picture, photo("b.ok"), dir.path(), allocator), AddOutcome::Added);
    AlbumList album;
    ASSERT_TRUE(loadAlbum(album, file, dir.path(), allocator));
    ASSERT_EQ(album.count(), 2);
    EXPECT_EQ(album.photos()[0].record.thumbnailWidth, 72);

    test::writeFile(dir / "broken.abm", "not an album at all, but somebody's file");
    EXPECT_EQ(addImageToAlbum(dir / "broken.abm", picture, a, dir.path(), allocator), AddOutcome::AlbumUnreadable);
    EXPECT_EQ(test::readFile(dir / "broken.abm"), "not an album at all, but somebody's file");
}

} // namespace
