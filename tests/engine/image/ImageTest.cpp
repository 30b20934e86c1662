#include "image/Allocator.h"
#include "image/Image.h"
#include "image/ImageType.h"
#include "image/Widen.h"

#include "FakeHost.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace gp;

TEST(Image, LayoutOfThePackedBitmap)
{
    auto image = Image::create(301, 3, 24);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->rowSize(), 904u);
    EXPECT_EQ(image->bitsOffset(), 40u);
    EXPECT_EQ(image->imageSize(), 904u * 3);
    EXPECT_EQ(image->blockSize(), 40u + 904 * 3 + 10);
    EXPECT_EQ(image->packed().size(), 40u + 904 * 3);
    // Row 0 from the top is stored last.
    image->row(0)[0] = 7;
    EXPECT_EQ(image->storedRow(2)[0], 7);

    auto mono = Image::create(33, 2, 1);
    EXPECT_EQ(mono->rowSize(), 8u);
    EXPECT_EQ(mono->colorCount(), 2);
    auto four = Image::create(9, 1, 4);
    EXPECT_EQ(four->rowSize(), 8u);
    EXPECT_EQ(four->bitsOffset(), 40u + 64);
}

TEST(Image, StartsZeroedClonesApartAndIsNullOnceMovedFrom)
{
    // Large enough that the block comes straight from the system rather than a reused heap chunk.
    auto image = Image::create(4000, 3000, 24);
    ASSERT_TRUE(image);
    const auto pixels = image->pixels();
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](std::uint8_t b) { return b == 0; }));

    image->row(5)[7] = 42;
    Image copy = image->clone();
    copy.row(5)[7] = 1;
    EXPECT_EQ(image->row(5)[7], 42);
    EXPECT_EQ(copy.width(), 4000);

    Image moved = std::move(copy);
    EXPECT_TRUE(copy.isNull());
    EXPECT_FALSE(moved.isNull());
    EXPECT_TRUE(Image {}.clone().isNull());
}

TEST(Image, MaskHasBlackThenWhiteAnd48ByteHead)
{
    auto mask = Image::createMask(10, 10);
    ASSERT_TRUE(mask);
    EXPECT_EQ(mask->bitsOffset(), 48u);
    EXPECT_EQ(mask->color(0), (Rgbq{0, 0, 0, 0}));
    EXPECT_EQ(mask->color(1), (Rgbq{255, 255, 255, 0}));
}

TEST(Image, RefusesBadSizesAndBlocksOverTheCeiling)
{
    EXPECT_EQ(Image::create(0, 5, 24).error().kind, ErrorKind::Malformed);
    EXPECT_EQ(Image::create(5, 5, 16).error().kind, ErrorKind::Malformed);
    EXPECT_EQ(Image::create(5, 5, 8, 300).error().kind, ErrorKind::Malformed);
    EXPECT_EQ(Image::create(100000, 100000, 24).error().kind, ErrorKind::TooLarge);
    EXPECT_EQ(Image::create(0x7FFFFFFF, 0x7FFFFFFF, 24).error().kind, ErrorKind::TooLarge);
    EXPECT_TRUE(Image::create(10, 10, 24, 0, 40 + 320 + 10));
    EXPECT_FALSE(Image::create(10, 10, 24, 0, 40 + 320 + 9));
}

TEST(Image, AllocatorReportsOutOfMemoryWithTheCallersCaption)
{
    test::FakeHost host;
    Allocator allocator(host, 2000);
    EXPECT_TRUE(allocator.image(10, 10, 8));
    EXPECT_FALSE(allocator.image(100, 100, 24, -1, "System message"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].caption, "System message");
    EXPECT_EQ(host.messages[0].text, "There is not enough memory.");
    EXPECT_FALSE(allocator.reserve(5000));
    EXPECT_EQ(host.messages.size(), 2u);
}

TEST(Image, FromPackedAcceptsTheCoreHeaderAndRejectsShortData)
{
    // A 2 × 1 4-bit picture with a 12-byte header and 3-byte colour entries.
    std::vector<std::uint8_t> core = {12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 4, 0};
    for (int i = 0; i < 16; ++i)
        core.insert(core.end(), {std::uint8_t(i), std::uint8_t(i * 2), std::uint8_t(i * 3)});
    core.insert(core.end(), {0x1F, 0, 0, 0});
    auto image = Image::fromPacked(core);
    ASSERT_TRUE(image) << image.error().message;
    EXPECT_EQ(image->width(), 2);
    EXPECT_EQ(image->bitsPerPixel(), 4);
    EXPECT_EQ(image->colorCount(), 16);
    EXPECT_EQ(image->color(15), (Rgbq{15, 30, 45, 0}));
    EXPECT_EQ(image->row(0)[0], 0x1F);

    core.resize(core.size() - 1);
    EXPECT_EQ(Image::fromPacked(core).error().kind, ErrorKind::Truncated);
    EXPECT_FALSE(Image::fromPacked(std::vector<std::uint8_t>{40, 0}));

    // A round trip through the 40-byte form keeps the bytes.
    auto again = Image::fromPacked(image->packed());
    ASSERT_TRUE(again);
    EXPECT_TRUE(std::equal(again->packed().begin(), again->packed().end(), image->packed().begin()));
}

TEST(ImageType, GrayscaleNeedsTheFullRampAndColourCount)
{
    auto gray = Image::create(2, 2, 8, 256);
    for (int i = 0; i < 256; ++i)
        gray->setColor(i, Rgbq{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0});
    EXPECT_EQ(imageTypeOf(&*gray), ImageType::Gray8);
    EXPECT_TRUE(isGrayscale(&*gray));
    gray->setColor(200, Rgbq{200, 200, 201, 0});
    EXPECT_EQ(imageTypeOf(&*gray), ImageType::Indexed8);

    // The gray ramp with a colour count of 0 in the header reads as indexed: only 256 counts.
    auto partial = Image::create(2, 2, 8, 255);
    EXPECT_EQ(imageTypeOf(&*partial), ImageType::Indexed8);

    EXPECT_EQ(imageTypeOf(&*Image::create(1, 1, 24)), ImageType::Rgb24);
    EXPECT_EQ(imageTypeOf(&*Image::create(1, 1, 4)), ImageType::Indexed4);
    EXPECT_EQ(imageTypeOf(&*Image::create(1, 1, 1)), ImageType::BlackWhite);
    EXPECT_EQ(imageTypeOf(nullptr), ImageType::None);
}

TEST(Widen, FourBitPixelsTakeTheirTableColours)
{
    test::FakeHost host;
    Allocator allocator(host);
    auto four = Image::create(3, 2, 4);
    four->setColor(1, Rgbq{10, 20, 30, 0});
    four->setColor(14, Rgbq{1, 2, 3, 0});
    four->row(0)[0] = 0x1E; // pixels 1, 14
    four->row(0)[1] = 0x10; // pixel 1
    four->setResolution(3780, 2835);
    auto wide = widenTo24(*four, allocator);
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->bitsPerPixel(), 24);
    const std::uint8_t* row = wide->row(0);
    EXPECT_EQ((std::vector<int>{row[0], row[1], row[2], row[3], row[4], row[5], row[6], row[7], row[8]}),
              (std::vector<int>{10, 20, 30, 1, 2, 3, 10, 20, 30}));
    EXPECT_EQ(wide->row(1)[0], 0);
    EXPECT_EQ(wide->xPelsPerMeter(), 3780);
}
