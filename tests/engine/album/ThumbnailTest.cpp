#include "album/Thumbnail.h"

#include "AlbumTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;

namespace {

TEST(Thumbnail, SizeRule)
{
    EXPECT_EQ(thumbnailSize(400, 300), (Size { 96, 72 }));
    EXPECT_EQ(thumbnailSize(300, 400), (Size { 72, 96 }));
    EXPECT_EQ(thumbnailSize(50, 20), (Size { 50, 20 }));
    EXPECT_EQ(thumbnailSize(96, 96), (Size { 96, 96 }));
    EXPECT_EQ(thumbnailSize(97, 1), (Size { 96, 1 })) << "at least one pixel";
    EXPECT_EQ(thumbnailSize(3000, 2000), (Size { 96, 64 }));
    EXPECT_EQ(thumbnailSize(1000, 10), (Size { 96, 1 })) << "(500 + 960) div 1000 rounds";
    EXPECT_EQ(thumbnailSize(1000, 15), (Size { 96, 1 }));
    EXPECT_EQ(thumbnailSize(1000, 16), (Size { 96, 2 }));
}

TEST(Thumbnail, SamplesNearestPixelsFromTheBottom)
{
    test::FakeHost host;
    Allocator allocator(host);
    test::TempDir dir;
    test::writeFile(dir / "p.bmp", std::string(1234, 'x'));
    Image photo = test::gradientPhoto(400, 300);
    photo.setResolution(2835, 2836);
    auto item = makeThumbnail(photo, (dir / "p.bmp").string(), allocator);
    ASSERT_TRUE(item);
    const PhotoRecord& r = item->record;
    EXPECT_EQ(r.fileSize, 1234u);
    EXPECT_GT(r.fileTime, 0u);
    EXPECT_EQ(r.path, (dir / "p.bmp").string());
    EXPECT_EQ(r.bitCount, 24);
    EXPECT_EQ(r.width, 400);
    EXPECT_EQ(r.height, 300);
    EXPECT_EQ(r.thumbnailWidth, 96);
    EXPECT_EQ(r.thumbnailHeight, 72);
    EXPECT_EQ(r.thumbnailLength, 40u + 96u * 3 * 72);
    ASSERT_EQ(item->thumbnail.size(), r.thumbnailLength);

    auto thumb = Image::fromPacked(item->thumbnail);
    ASSERT_TRUE(thumb);
    EXPECT_EQ(thumb->xPelsPerMeter(), 2835);
    EXPECT_EQ(thumb->yPelsPerMeter(), 2836);
    EXPECT_EQ(thumb->imageSize(), 96u * 3 * 72);
    for (int ty : { 0, 1, 35, 71 })
        for (int tx : { 0, 1, 50, 95 }) {
            // Stored row ty takes stored row ty × 300 div 72; convert both to rows from the top.
            const int sx = tx * 400 / 96;
            const int sy = 299 - ty * 300 / 72;
            const std::uint8_t* t = thumb->storedRow(ty) + 3 * tx;
            const std::uint8_t* p = photo.row(sy) + 3 * sx;
            EXPECT_EQ(std::vector<int>(t, t + 3), std::vector<int>(p, p + 3)) << tx << "," << ty;
        }
}

TEST(Thumbnail, LooksUpIndexedPhotosInTheirColourTable)
{
    test::FakeHost host;
    Allocator allocator(host);
    for (int bits : { 1, 4, 8 }) {
        Image photo = std::move(Image::create(8, 2, bits)).value();
        const int colors = photo.colorCount();
        for (int i = 0; i < colors; ++i)
            photo.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(7 * i), 0 });
        // Top row: pixel x has index x mod colours; the bottom row stays 0.
        std::uint8_t* row = photo.row(0);
        for (int x = 0; x < 8; ++x) {
            const int index = x % colors;
            if (bits == 8)
                row[x] = std::uint8_t(index);
            else if (bits == 4)
                row[x / 2] |= std::uint8_t(index << ((x % 2) ? 0 : 4));
            else
                row[x / 8] |= std::uint8_t(index << (7 - x % 8));
        }
        auto item = makeThumbnail(photo, "/none", allocator);
        ASSERT_TRUE(item);
        EXPECT_EQ(item->record.bitCount, bits);
        EXPECT_EQ(item->record.fileSize, 0u) << "a missing file has no status";
        auto thumb = Image::fromPacked(item->thumbnail);
        ASSERT_TRUE(thumb);
        ASSERT_EQ(thumb->bitsPerPixel(), 24);
        for (int x = 0; x < 8; ++x) {
            const int index = x % colors;
            const std::uint8_t* t = thumb->row(0) + 3 * x;
            EXPECT_EQ(t[0], index) << bits << " bit, x " << x;
            EXPECT_EQ(t[1], 255 - index);
            EXPECT_EQ(t[2], std::uint8_t(7 * index));
            EXPECT_EQ(thumb->row(1)[3 * x + 1], 255) << "index 0 below";
        }
    }
}

} // namespace
