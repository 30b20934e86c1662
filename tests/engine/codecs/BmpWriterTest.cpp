#include "codecs/BmpWriter.h"

#include "CodecTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"
#include "base/ByteReader.h"
#include "codecs/BmpReader.h"
#include "codecs/TgaReader.h"
#include "codecs/TgaWriter.h"

#include <gtest/gtest.h>

using namespace gp;
using namespace gp::test;

namespace {

Image gradient(int width, int height, int bits)
{
    Image image = std::move(Image::create(width, height, bits)).value();
    for (int i = 0; i < image.colorCount(); ++i)
        image.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7), 0 });
    auto pixels = image.pixels();
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = std::uint8_t(i * 31 + i / 7);
    image.setResolution(3780, 2835);
    return image;
}

} // namespace

TEST(BmpWriter, FileHeaderPointsPastTheColourTable)
{
    TempDir dir;
    const Image rgb = gradient(5, 3, 24);
    ASSERT_EQ(writeBmpFile((dir / "rgb.bmp").string(), rgb), WriteResult::Written);
    const std::string bytes = readFile(dir / "rgb.bmp");
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(loadU32Le(p + 10), 54u);
    EXPECT_EQ(loadU32Le(p + 2), 54u + 48u);
    EXPECT_EQ(bytes.size(), 54u + 48u);

    const Image indexed = gradient(5, 3, 8);
    ASSERT_EQ(writeBmpFile((dir / "pal.bmp").string(), indexed), WriteResult::Written);
    const std::string pal = readFile(dir / "pal.bmp");
    const auto* q = reinterpret_cast<const std::uint8_t*>(pal.data());
    EXPECT_EQ(loadU32Le(q + 10), 1078u);
    EXPECT_EQ(loadU32Le(q + 2), 1078u + indexed.imageSize());
}

TEST(BmpWriter, EveryDepthReadsBackByteForByteAndImageMagickAgrees)
{
    FakeHost host;
    Allocator allocator(host);
    TempDir dir;
    for (int bits : { 1, 4, 8, 24 }) {
        SCOPED_TRACE(bits);
        const Image image = gradient(13, 7, bits);
        const auto path = dir / ("d" + std::to_string(bits) + ".bmp");
        ASSERT_EQ(writeBmpFile(path.string(), image), WriteResult::Written);
        ReadResult back = readBmpFile(path.string(), allocator);
        ASSERT_TRUE(back.ok()) << back.detail;
        EXPECT_TRUE(std::ranges::equal(back.image->packed(), image.packed()));
        if (haveTool("convert")) {
            auto peer = decodeWithImageMagick(path, dir.path());
            ASSERT_TRUE(peer);
            EXPECT_EQ(countDifferences(*peer, toRgb(image)), 0);
        }
    }
}

TEST(BmpWriter, FolderThatDoesNotExistIsAWriteError)
{
    EXPECT_EQ(writeBmpFile("/nonexistent-folder/x.bmp", gradient(2, 2, 24)), WriteResult::WriteError);
    EXPECT_EQ(writeBmpFile("/tmp/x.bmp", Image()), WriteResult::Reported);
}

// Pictures of several megabytes leave the writers a stretch at a time, with the disk write of
// each started early; every byte must still arrive once and in order.
TEST(BmpWriter, PicturesOfSeveralStretchesReadBackWhole)
{
    FakeHost host;
    Allocator allocator(host);
    TempDir dir;
    const Image image = gradient(2344, 2801, 24); // 19.7 MB: two whole stretches and a part
    const auto bmp = dir / "big.bmp";
    ASSERT_EQ(writeBmpFile(bmp.string(), image), WriteResult::Written);
    ReadResult back = readBmpFile(bmp.string(), allocator);
    ASSERT_TRUE(back.ok()) << back.detail;
    EXPECT_TRUE(std::ranges::equal(back.image->packed(), image.packed()));

    const auto tga = dir / "big.tga";
    ASSERT_EQ(writeTgaFile(tga.string(), image, false, host), WriteResult::Written);
    ReadResult tgaBack = readTgaFile(tga.string(), allocator);
    ASSERT_TRUE(tgaBack.ok()) << tgaBack.detail;
    EXPECT_TRUE(std::ranges::equal(tgaBack.image->pixels(), image.pixels()));
}
