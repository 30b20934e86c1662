// The exported interface of libglimmer-flashpix.so: packed bitmaps in and out, resolution kept,
// safe writes.

#include "FlashPix.h"
#include "TempDir.h"
#include "base/ByteReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace gp::test {
namespace {

// A packed bitmap of width × height at the given depth with a pattern, and 7874 pixels per metre.
std::vector<std::uint8_t> packedBitmap(int width, int height, int bits, bool grayTable)
{
    const int colors = bits == 24 ? 0 : 1 << bits;
    const std::size_t stride = (std::size_t(width) * std::size_t(bits) + 31) / 32 * 4;
    std::vector<std::uint8_t> block(40 + 4 * std::size_t(colors) + stride * std::size_t(height));
    storeU32Le(block.data(), 40);
    storeU32Le(block.data() + 4, std::uint32_t(width));
    storeU32Le(block.data() + 8, std::uint32_t(height));
    storeU16Le(block.data() + 12, 1);
    storeU16Le(block.data() + 14, std::uint16_t(bits));
    storeU32Le(block.data() + 24, 7874);
    storeU32Le(block.data() + 28, 7874);
    for (int i = 0; i < colors; ++i) {
        std::uint8_t* entry = block.data() + 40 + 4 * i;
        entry[0] = std::uint8_t(i * 255 / (colors - 1));
        entry[1] = grayTable ? entry[0] : std::uint8_t(255 - entry[0]);
        entry[2] = grayTable ? entry[0] : std::uint8_t(i * 37);
    }
    std::uint8_t* pixels = block.data() + 40 + 4 * std::size_t(colors);
    for (std::size_t i = 0; i < stride * std::size_t(height); ++i)
        pixels[i] = std::uint8_t(i * 7 + i / stride);
    return block;
}

struct Freed {
    std::uint8_t* p;
    ~Freed() { std::free(p); }
};

// The colour of pixel (x, y) from the top of a packed bitmap, as red, green, blue.
std::array<int, 3> colorAt(const std::uint8_t* packed, int x, int y)
{
    const int width = int(loadU32Le(packed + 4));
    const int height = int(loadU32Le(packed + 8));
    const int bits = loadU16Le(packed + 14);
    int colors = int(loadU32Le(packed + 32));
    if (bits <= 8 && colors == 0)
        colors = 1 << bits;
    const std::size_t stride = (std::size_t(width) * std::size_t(bits) + 31) / 32 * 4;
    const std::uint8_t* row = packed + 40 + 4 * std::size_t(colors) + std::size_t(height - 1 - y) * stride;
    if (bits == 24)
        return { row[3 * x + 2], row[3 * x + 1], row[3 * x] };
    const int perByte = 8 / bits;
    const int index = (row[x / perByte] >> (8 - bits * (x % perByte + 1))) & ((1 << bits) - 1);
    const std::uint8_t* entry = packed + 40 + 4 * index;
    return { entry[2], entry[1], entry[0] };
}

TEST(FlashPixLibrary, EveryDepthComesBackWithItsPixelsAndResolution)
{
    TempDir dir;
    const std::string name = (dir / "out.fpx").string();
    const std::pair<int, bool> depths[] = { { 24, false }, { 8, true }, { 8, false }, { 4, false }, { 1, true } };
    for (auto [bits, grayTable] : depths) {
        SCOPED_TRACE(bits);
        const auto source = packedBitmap(131, 67, bits, grayTable);
        ASSERT_EQ(FPXwriteImage(source.data(), name.c_str(), 0), 1);
        Freed back { static_cast<std::uint8_t*>(FPXreadImage(name.c_str())) };
        ASSERT_NE(back.p, nullptr);
        EXPECT_EQ(loadU32Le(back.p + 4), 131u);
        EXPECT_EQ(loadU32Le(back.p + 8), 67u);
        EXPECT_EQ(loadU16Le(back.p + 14), grayTable ? 8 : 24); // gray tables give monochrome files
        EXPECT_NEAR(double(loadU32Le(back.p + 24)), 7874, 1);
        int wrong = 0;
        for (int y = 0; y < 67; ++y)
            for (int x = 0; x < 131; ++x)
                wrong += colorAt(source.data(), x, y) != colorAt(back.p, x, y);
        EXPECT_EQ(wrong, 0);
    }
}

TEST(FlashPixLibrary, JpegQualityComesFromTheCaller)
{
    TempDir dir;
    const auto source = packedBitmap(128, 128, 24, false);
    const std::string high = (dir / "high.fpx").string(), low = (dir / "low.fpx").string();
    ASSERT_EQ(FPXwriteImage(source.data(), high.c_str(), 95), 1);
    ASSERT_EQ(FPXwriteImage(source.data(), low.c_str(), 10), 1);
    EXPECT_GT(std::filesystem::file_size(high), std::filesystem::file_size(low));
    Freed back { static_cast<std::uint8_t*>(FPXreadImage(low.c_str())) };
    ASSERT_NE(back.p, nullptr);
    EXPECT_EQ(loadU16Le(back.p + 14), 24);
}

TEST(FlashPixLibrary, FailedWritesLeaveNothingAndBadReadsGiveNothing)
{
    TempDir dir;
    const auto source = packedBitmap(70, 70, 24, false);
    const std::string missingFolder = (dir / "no" / "such" / "x.fpx").string();
    EXPECT_EQ(FPXwriteImage(source.data(), missingFolder.c_str(), 90), 0);
    EXPECT_FALSE(std::filesystem::exists(missingFolder));

    // A write that fails for its input leaves the earlier file as it was.
    const std::string kept = (dir / "kept.fpx").string();
    ASSERT_EQ(FPXwriteImage(source.data(), kept.c_str(), 90), 1);
    const auto before = std::filesystem::file_size(kept);
    auto compressed = source;
    storeU32Le(compressed.data() + 16, 1); // run-length coded bitmaps are not taken
    EXPECT_EQ(FPXwriteImage(compressed.data(), kept.c_str(), 90), 0);
    EXPECT_EQ(FPXwriteImage(source.data(), kept.c_str(), 101), 0);
    EXPECT_EQ(FPXwriteImage(nullptr, kept.c_str(), 90), 0);
    EXPECT_EQ(std::filesystem::file_size(kept), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    writeFile(dir / "text.fpx", "not a compound file at all");
    EXPECT_EQ(FPXreadImage((dir / "text.fpx").string().c_str()), nullptr);
    EXPECT_EQ(FPXreadImage((dir / "absent.fpx").string().c_str()), nullptr);
    EXPECT_EQ(FPXreadImage(nullptr), nullptr);
}

} // namespace
} // namespace gp::test
