// TGA reading and writing, judged by netpbm and ImageMagick, plus hand-made files for the depths
// and colour maps no tool here writes.

#include "codecs/TgaReader.h"
#include "codecs/TgaRunLength.h"
#include "codecs/TgaWriter.h"

#include "CodecTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"
#include "base/ByteReader.h"
#include "codecs/ReadImageFile.h"
#include "codecs/WriteImageFile.h"
#include "image/ImageType.h"
#include "app/App.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace gp;
using namespace gp::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes header(int imageType, int width, int height, int depth, int descriptor = 0, int mapType = 0, int mapFirst = 0,
    int mapLength = 0, int mapBits = 0)
{
    Bytes h(18, 0);
    h[1] = std::uint8_t(mapType);
    h[2] = std::uint8_t(imageType);
    storeU16Le(&h[3], std::uint16_t(mapFirst));
    storeU16Le(&h[5], std::uint16_t(mapLength));
    h[7] = std::uint8_t(mapBits);
    storeU16Le(&h[12], std::uint16_t(width));
    storeU16Le(&h[14], std::uint16_t(height));
    h[16] = std::uint8_t(depth);
    h[17] = std::uint8_t(descriptor);
    return h;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes words(std::initializer_list<std::uint16_t> values)
{
    Bytes out;
    for (std::uint16_t v : values)
        out.insert(out.end(), { std::uint8_t(v), std::uint8_t(v >> 8) });
    return out;
}

std::array<std::uint8_t, 3> rgbAt(const RgbPicture& picture, int x, int y)
{
    const std::uint8_t* p = picture.at(x, y);
    return { p[0], p[1], p[2] };
}

struct Tga : ::testing::Test {
    TempDir dir;
    FakeHost host;
    Allocator allocator { host };

    std::string path(const std::string& name) const { return (dir / name).string(); }

    std::string save(const std::string& name, const Bytes& bytes) const
    {
        std::ofstream(path(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path(name);
    }

    RgbPicture readOurs(const std::string& file)
    {
        ReadResult r = readTgaFile(file, allocator);
        EXPECT_TRUE(r.ok()) << r.detail;
        return r.ok() ? toRgb(*r.image) : RgbPicture {};
    }

    std::optional<RgbPicture> tgatoppm(const std::string& file)
    {
        if (!runTool("tgatoppm " + file + " 2>/dev/null | pamdepth 255 > " + file + ".ppm"))
            return std::nullopt;
        return readNetpbm(file + ".ppm");
    }

    // ImageMagick keeps a TGA file's rows in file order and only notes the origin, which
    // -auto-orient then applies.
    std::optional<RgbPicture> imageMagick(const std::string& file)
    {
        if (!runTool("convert " + file + " -auto-orient -alpha off -depth 8 ppm:" + file + ".im.ppm 2>/dev/null"))
            return std::nullopt;
        return readNetpbm(file + ".im.ppm");
    }

    // A 37 × 11 picture made by ImageMagick (with "gray" a grayscale one) as a PPM.
    std::string picture(bool gray = false)
    {
        const std::string ppm = path(gray ? "gray.ppm" : "rgb.ppm");
        EXPECT_TRUE(runTool("convert -size 37x11 -seed 5 plasma:red-blue +dither -colors 200"
            + std::string(gray ? " -colorspace gray" : "") + " -depth 8 ppm:" + ppm));
        return ppm;
    }
};

Image testImage(int width, int height, int bits, bool gray = false)
{
    Image image = std::move(Image::create(width, height, bits)).value();
    for (int i = 0; i < image.colorCount(); ++i) {
        const auto v = std::uint8_t(i);
        image.setColor(i, gray ? Rgbq { v, v, v, 0 } : Rgbq { v, std::uint8_t(255 - i), std::uint8_t(i * 40), 0 });
    }
    if (bits == 1) {
        image.setColor(0, Rgbq { 0, 0, 0, 0 });
        image.setColor(1, Rgbq { 255, 255, 255, 0 });
    }
    for (int y = 0; y < height; ++y)
        for (std::size_t b = 0; b < (std::size_t(width) * bits + 7) / 8; ++b)
            image.row(y)[b] = std::uint8_t(b < 6 ? 0x5A : y * 37 + int(b) * 11);
    return image;
}

} // namespace

TEST(TgaRuns, PacketsHoldAtMost128PixelsAndLiteralsStopBeforeARun)
{
    Bytes coded;
    encodeTgaRow(Bytes { 4, 4, 4, 5, 6, 7, 7 }, 1, coded);
    EXPECT_EQ(coded, (Bytes { 0x82, 4, 0x01, 5, 6, 0x81, 7 }));

    coded.clear();
    encodeTgaRow(Bytes(300, 9), 1, coded);
    EXPECT_EQ(coded, (Bytes { 0xFF, 9, 0xFF, 9, 0xAB, 9 }));

    coded.clear();
    encodeTgaRow(Bytes { 1, 2, 3, 1, 2, 3, 1, 2, 4 }, 3, coded);
    EXPECT_EQ(coded, (Bytes { 0x81, 1, 2, 3, 0x00, 1, 2, 4 }));
}

TEST_F(Tga, ImageMagickFilesOfEveryTypeAndOriginReadAsImageMagickReadsThem)
{
    GLIMMER_REQUIRE_TOOLS("convert");
    struct Case {
        std::string options;
        int type;
        int depth;
        int tolerance;
    };
    const Case cases[] = { { "", 2, 24, 0 }, { "-compress RLE", 10, 24, 0 }, { "-type Palette", 1, 8, 0 },
        { "-type Palette -compress RLE", 9, 8, 0 }, { "-type Grayscale", 3, 8, 0 },
        { "-type Grayscale -compress RLE", 11, 8, 0 }, { "-orient TopLeft", 2, 24, 0 },
        { "-type Palette -compress RLE -orient TopLeft", 9, 8, 0 }, { "-alpha set", 2, 32, 0 },
        // 5-bit channels: ImageMagick scales by 255 / 31 and rounds, which is 1 off for a few values.
        { "-depth 5", 2, 16, 1 } };
    const std::string source = picture();
    const bool netpbm = haveTool("tgatoppm") && haveTool("pamdepth");
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const std::string file = path("im" + std::to_string(n++) + ".tga");
        ASSERT_TRUE(runTool("convert " + source + " " + c.options + " " + file));
        const std::string bytes = readFile(file);
        ASSERT_EQ(bytes[2], c.type);
        ASSERT_EQ(bytes[16], c.depth);
        const RgbPicture ours = readOurs(file);
        auto peer = imageMagick(file);
        ASSERT_TRUE(peer);
        EXPECT_EQ(countDifferences(ours, *peer, c.tolerance), 0);
        if (netpbm) {
            auto other = tgatoppm(file);
            ASSERT_TRUE(other);
            EXPECT_EQ(countDifferences(ours, *other, c.tolerance), 0);
        }
    }
}

TEST_F(Tga, NetpbmFilesWithAnImageIdReadAsTgatoppmReadsThem)
{
    GLIMMER_REQUIRE_TOOLS("pamtotga", "tgatoppm", "pamdepth", "convert");
    const std::string rgb = picture(), gray = picture(true);
    struct Case {
        std::string options;
        std::string source;
    };
    int n = 0;
    for (const Case& c : { Case { "-cmap", rgb }, Case { "-cmap -norle", rgb }, Case { "-rgb", rgb },
             Case { "-rgb -norle", rgb }, Case { "-mono", gray }, Case { "-mono -norle", gray } }) {
        SCOPED_TRACE(c.options);
        const std::string file = path("np" + std::to_string(n++) + ".tga");
        ASSERT_TRUE(runTool("pamtotga " + c.options + " " + c.source + " > " + file + " 2>/dev/null"));
        auto peer = tgatoppm(file);
        ASSERT_TRUE(peer);
        EXPECT_EQ(countDifferences(readOurs(file), *peer), 0);
    }
}

TEST_F(Tga, FiveBitPixelsAndColourMapsOfEveryEntrySizeReachFullWhite)
{
    const Bytes pixels16 = words({ 0x7FFF, 0x0421, 0x7C00, 0x83E0 });
    const std::string p16 = save("p16.tga", header(2, 2, 2, 16) + pixels16);
    const std::string p15 = save("p15.tga", header(2, 2, 2, 15) + pixels16);
    for (const std::string& file : { p16, p15 }) {
        const RgbPicture ours = readOurs(file);
        EXPECT_EQ(rgbAt(ours, 0, 1), (std::array<std::uint8_t, 3> { 255, 255, 255 }));
        EXPECT_EQ(rgbAt(ours, 1, 1), (std::array<std::uint8_t, 3> { 8, 8, 8 }));
        EXPECT_EQ(rgbAt(ours, 0, 0), (std::array<std::uint8_t, 3> { 255, 0, 0 }));
        EXPECT_EQ(rgbAt(ours, 1, 0), (std::array<std::uint8_t, 3> { 0, 255, 0 })); // the top bit is ignored
    }

    // 15-bit pixels take two bytes each: the rows of a 9-pixel picture are 18 bytes, not 17.
    Bytes rows = words({ 0, 0, 0, 0, 0, 0, 0, 0, 0x001F, 0x7C00, 0, 0, 0, 0, 0, 0, 0, 0x03E0 });
    ReadResult nine = decodeTga(header(2, 9, 2, 15) + rows, allocator);
    ASSERT_TRUE(nine.ok()) << nine.detail;
    EXPECT_EQ(rgbAt(toRgb(*nine.image), 8, 1), (std::array<std::uint8_t, 3> { 0, 0, 255 }));
    EXPECT_EQ(rgbAt(toRgb(*nine.image), 0, 0), (std::array<std::uint8_t, 3> { 255, 0, 0 }));
    EXPECT_EQ(rgbAt(toRgb(*nine.image), 8, 0), (std::array<std::uint8_t, 3> { 0, 255, 0 }));

    // The same four colours through maps of 15-, 16-, 24- and 32-bit entries, the map starting at 2.
    const Bytes indices { 2, 3, 4, 5 };
    const std::string maps[] = {
        save("m15.tga", header(1, 2, 2, 8, 0, 1, 2, 4, 15) + pixels16 + indices),
        save("m16.tga", header(1, 2, 2, 8, 0, 1, 2, 4, 16) + pixels16 + indices),
        save("m24.tga",
            header(1, 2, 2, 8, 0, 1, 2, 4, 24) + Bytes { 255, 255, 255, 8, 8, 8, 0, 0, 255, 0, 255, 0 } + indices),
        save("m32.tga",
            header(1, 2, 2, 8, 0, 1, 2, 4, 32) + Bytes { 255, 255, 255, 0, 8, 8, 8, 9, 0, 0, 255, 0, 0, 255, 0, 255 }
                + indices),
    };
    for (const std::string& file : maps) {
        SCOPED_TRACE(file);
        ReadResult r = readTgaFile(file, allocator);
        ASSERT_TRUE(r.ok()) << r.detail;
        EXPECT_EQ(r.image->bitsPerPixel(), 8);
        EXPECT_EQ(r.image->colorCount(), 6);
        const RgbPicture ours = toRgb(*r.image);
        EXPECT_EQ(rgbAt(ours, 0, 1), (std::array<std::uint8_t, 3> { 255, 255, 255 }));
        EXPECT_EQ(rgbAt(ours, 1, 1), (std::array<std::uint8_t, 3> { 8, 8, 8 }));
        EXPECT_EQ(rgbAt(ours, 0, 0), (std::array<std::uint8_t, 3> { 255, 0, 0 }));
        EXPECT_EQ(rgbAt(ours, 1, 0), (std::array<std::uint8_t, 3> { 0, 255, 0 }));
    }
    if (!haveTool("tgatoppm") || !haveTool("pamdepth"))
        return;
    for (const std::string& file : { p16, p15, maps[0], maps[1], maps[2], maps[3] }) {
        SCOPED_TRACE(file);
        auto peer = tgatoppm(file);
        ASSERT_TRUE(peer);
        EXPECT_EQ(countDifferences(readOurs(file), *peer, 1), 0);
    }
}

TEST_F(Tga, BothOriginsReadUpright)
{
    const Bytes bottomUp { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 };
    const Bytes topDown { 7, 8, 9, 10, 11, 12, 1, 2, 3, 4, 5, 6 };
    ReadResult a = decodeTga(header(2, 2, 2, 24) + bottomUp, allocator);
    ReadResult b = decodeTga(header(2, 2, 2, 24, 0x20) + topDown, allocator);
    ASSERT_TRUE(a.ok() && b.ok());
    EXPECT_EQ(a.image->row(0)[0], 7);
    EXPECT_EQ(a.image->row(1)[5], 6);
    EXPECT_TRUE(std::ranges::equal(a.image->packed(), b.image->packed()));
}

TEST_F(Tga, RunLengthPacketsStopAtTheEndOfTheirRow)
{
    // Row one: a run of three pixels in a row of two; row two starts with a fresh packet, then a
    // literal packet of three gray pixels of which two fit.
    const Bytes packets { 0x82, 50, 0x02, 60, 61, 62 };
    ReadResult r = decodeTga(header(11, 2, 2, 8) + packets, allocator);
    ASSERT_TRUE(r.ok()) << r.detail;
    EXPECT_EQ(r.image->storedRow(0)[0], 50);
    EXPECT_EQ(r.image->storedRow(0)[1], 50);
    EXPECT_EQ(r.image->storedRow(1)[0], 60);
    EXPECT_EQ(r.image->storedRow(1)[1], 61);
    EXPECT_TRUE(isGrayscale(&*r.image));
}

TEST_F(Tga, EveryKindWrittenHasItsTypeReadsBackExactlyAndPeersAgree)
{
    struct Case {
        int bits;
        bool gray;
        int plainType;
        int depth; // 1- and 4-bit pixels go out as bytes, which other programs read
    };
    const Case cases[]
        = { { 24, false, 2, 24 }, { 8, false, 1, 8 }, { 8, true, 3, 8 }, { 4, false, 1, 8 }, { 1, false, 3, 8 } };
    const bool peers = haveTool("tgatoppm") && haveTool("pamdepth") && haveTool("convert");
    for (const Case& c : cases) {
        for (bool compress : { false, true }) {
            SCOPED_TRACE(std::to_string(c.bits) + (c.gray ? " gray" : "") + (compress ? " compressed" : ""));
            const Image image = testImage(37, 11, c.bits, c.gray);
            const std::string file
                = path("w" + std::to_string(c.bits) + std::to_string(c.gray) + std::to_string(compress) + ".tga");
            ASSERT_EQ(writeTgaFile(file, image, compress, host), WriteResult::Written);
            const std::string bytes = readFile(file);
            EXPECT_EQ(bytes[2], c.plainType + (compress ? 8 : 0));
            EXPECT_EQ(bytes[16], c.depth);
            EXPECT_EQ(bytes[17], 0);
            EXPECT_EQ(bytes[1], c.plainType == 1 ? 1 : 0);
            if (c.plainType == 1) {
                EXPECT_EQ(loadU16Le(reinterpret_cast<const std::uint8_t*>(bytes.data()) + 5), image.colorCount());
            }
            // The bottom row starts with six bytes of 0x5A: one run packet of six 8-bit or two
            // 24-bit pixels right after the colour map.
            const std::size_t firstPacket = 18 + (c.plainType == 1 ? 3 * std::size_t(image.colorCount()) : 0);
            if (compress && c.bits >= 8) {
                EXPECT_EQ(std::uint8_t(bytes[firstPacket]), c.bits == 8 ? 0x85 : 0x81);
            }
            ReadResult back = readTgaFile(file, allocator);
            ASSERT_TRUE(back.ok()) << back.detail;
            EXPECT_EQ(countDifferences(toRgb(*back.image), toRgb(image)), 0);
            if (!peers)
                continue;
            auto netpbm = tgatoppm(file);
            ASSERT_TRUE(netpbm);
            EXPECT_EQ(countDifferences(*netpbm, toRgb(image)), 0);
            auto magick = imageMagick(file);
            ASSERT_TRUE(magick);
            EXPECT_EQ(countDifferences(*magick, toRgb(image)), 0);
        }
    }
}

TEST_F(Tga, OneBitImageWithWhiteFirstKeepsItsLook)
{
    Image image = testImage(21, 3, 1);
    image.setColor(0, Rgbq { 255, 255, 255, 0 });
    image.setColor(1, Rgbq { 0, 0, 0, 0 });
    ASSERT_EQ(writeTgaFile(path("neg.tga"), image, true, host), WriteResult::Written);
    EXPECT_EQ(countDifferences(readOurs(path("neg.tga")), toRgb(image)), 0);
}

TEST_F(Tga, BadFilesGiveTheirAnswersWithoutAHugeBlock)
{
    const Bytes pixels(2 * 2 * 3, 7);
    EXPECT_EQ(decodeTga(Bytes(17, 0), allocator).status, ReadStatus::NotThisFormat);
    // The first bytes of a JPEG file: a colour map type no TGA file has.
    EXPECT_EQ(decodeTga(Bytes { 0xFF, 0xD8, 0xFF, 0xE0 } + Bytes(40, 0), allocator).status, ReadStatus::NotThisFormat);
    EXPECT_TRUE(host.messages.empty());

    for (const Bytes& unknown : { header(10, 2, 2, 32), header(10, 2, 2, 16), header(10, 2, 2, 15), header(5, 2, 2, 24),
             header(2, 2, 2, 8), header(3, 2, 2, 16), header(1, 2, 2, 8) }) {
        host.messages.clear();
        EXPECT_EQ(decodeTga(unknown + pixels + pixels, allocator).status, ReadStatus::NoImage);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, "Unknown file format");
    }
    host.messages.clear();

    EXPECT_EQ(decodeTga(header(2, 0, 2, 24) + pixels, allocator).status, ReadStatus::NoImage);
    EXPECT_EQ(decodeTga(header(2, 2, 2, 24) + Bytes(11, 0), allocator).status, ReadStatus::CannotRead);
    EXPECT_EQ(decodeTga(header(10, 2, 2, 24) + Bytes { 0x81, 1, 2, 3, 0x00, 1, 2, 3 }, allocator).status,
        ReadStatus::CannotRead);
    EXPECT_EQ(
        decodeTga(header(1, 2, 2, 8, 0, 1, 0, 200, 24) + Bytes(100, 0), allocator).status, ReadStatus::CannotRead);
    Bytes withId = header(2, 2, 2, 24) + pixels;
    withId[0] = 200;
    EXPECT_EQ(decodeTga(withId, allocator).status, ReadStatus::CannotRead);
    // Headers claiming 65535 × 65535 pixels over a few bytes take no block at all.
    EXPECT_EQ(decodeTga(header(2, 65535, 65535, 24) + pixels, allocator).status, ReadStatus::CannotRead);
    EXPECT_EQ(decodeTga(header(10, 65535, 65535, 24) + Bytes(1000, 0xFF), allocator).status, ReadStatus::CannotRead);
    EXPECT_TRUE(host.messages.empty());

    const Allocator tight(host, 100);
    EXPECT_EQ(decodeTga(header(2, 16, 16, 24) + Bytes(768, 1), tight).status, ReadStatus::NoImage);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "There is not enough memory.");

    EXPECT_EQ(readTgaFile(path("missing.tga"), allocator).status, ReadStatus::CannotRead);
}

TEST_F(Tga, WriterFailuresAreNeverSuccess)
{
    EXPECT_EQ(writeTgaFile(path("none.tga"), Image(), false, host), WriteResult::Reported);
    EXPECT_EQ(writeTgaFile("/nonexistent-folder/x.tga", testImage(4, 4, 24), false, host), WriteResult::Reported);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Insufficient disk space or disk error.");
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(writeTgaFile("/dev/full", testImage(64, 64, 24), true, host), WriteResult::WriteError);
    }
}

TEST_F(Tga, SavingFollowsTheCompressFlagAndBothFormatsOpenByExtension)
{
    App app { host, Paths { dir.path(), dir.path(), dir.path(), dir.path() } };
    const Image image = testImage(9, 5, 24);
    app.saveOptions().compress = false;
    ASSERT_EQ(writeImageFile(app.imageFiles(), 5, image, path("plain.tga")), WriteResult::Written);
    app.saveOptions().compress = true;
    ASSERT_EQ(writeImageFile(app.imageFiles(), 5, image, path("packed.tga")), WriteResult::Written);
    ASSERT_EQ(writeImageFile(app.imageFiles(), 3, image, path("photo.pcx")), WriteResult::Written);
    EXPECT_EQ(readFile(dir / "plain.tga")[2], 2);
    EXPECT_EQ(readFile(dir / "packed.tga")[2], 10);

    for (const std::string name : { "plain.tga", "packed.tga", "photo.pcx" }) {
        ReadResult r = readImageFile(app.imageFiles(), path(name));
        ASSERT_TRUE(r.ok()) << r.detail;
        EXPECT_EQ(r.format, name.substr(name.size() - 3) == "tga" ? "TGA" : "PCX");
        EXPECT_TRUE(std::ranges::equal(r.image->packed(), image.packed()));
    }
}
