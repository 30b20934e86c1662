// PCX reading and writing, judged by netpbm and ImageMagick: files they make must read to the
// pixels they decode themselves, and files we make must decode in them to our pixels.

#include "codecs/PcxReader.h"
#include "codecs/PcxRunLength.h"
#include "codecs/PcxWriter.h"

#include "CodecTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"
#include "base/ByteReader.h"

#include <gtest/gtest.h>

using namespace gp;
using namespace gp::test;

namespace {

struct Pcx : ::testing::Test {
    TempDir dir;
    FakeHost host;
    Allocator allocator { host };

    std::string path(const std::string& name) const { return (dir / name).string(); }

    static std::vector<std::uint8_t> bytesOf(const std::string& text) { return { text.begin(), text.end() }; }

    // A 37 × 11 picture (odd widths leave part-filled bytes in every plane) with the given colour
    // count, as a PPM, made by ImageMagick.
    std::string picture(int colors)
    {
        const std::string ppm = path("in" + std::to_string(colors) + ".ppm");
        const std::string reduce = colors == 2 ? " -monochrome"
            : colors > 0                       ? " +dither -colors " + std::to_string(colors)
                                               : "";
        EXPECT_TRUE(runTool("convert -size 37x11 -seed 5 plasma:red-blue" + reduce + " -depth 8 ppm:" + ppm));
        return ppm;
    }

    // Our reading of a file compared with pcxtoppm's.
    void expectReadsLikePcxtoppm(const std::string& file, int bits)
    {
        ReadResult ours = readPcxFile(file, allocator);
        ASSERT_TRUE(ours.ok()) << ours.detail;
        EXPECT_EQ(ours.image->bitsPerPixel(), bits);
        ASSERT_TRUE(runTool("pcxtoppm " + file + " > " + file + ".ppm 2>/dev/null"));
        auto peer = readNetpbm(file + ".ppm");
        ASSERT_TRUE(peer);
        EXPECT_EQ(countDifferences(toRgb(*ours.image), *peer), 0);
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
            image.row(y)[b] = std::uint8_t((y * 37 + int(b) * 11) ^ (b % 3 == 0 ? 0xC5 : 0));
    image.setResolution(11811, 2834);
    return image;
}

} // namespace

TEST(PcxRuns, LongRunsSplitAtSixtyThreeAndHighBytesAreNeverBare)
{
    std::vector<std::uint8_t> coded;
    encodePcxRuns(std::vector<std::uint8_t>(640, 0x21), coded);
    std::vector<std::uint8_t> expected;
    for (int i = 0; i < 10; ++i)
        expected.insert(expected.end(), { 0xFF, 0x21 });
    expected.insert(expected.end(), { 0xCA, 0x21 });
    EXPECT_EQ(coded, expected);

    coded.clear();
    encodePcxRuns(std::vector<std::uint8_t> { 0x10, 0xC5, 0xBF, 0xBF }, coded);
    EXPECT_EQ(coded, (std::vector<std::uint8_t> { 0x10, 0xC1, 0xC5, 0xC2, 0xBF }));
}

TEST(PcxRuns, RunsGoOnIntoTheNextLineAndShortDataIsSaid)
{
    const std::vector<std::uint8_t> coded { 0xC5, 0x07, 0x01, 0xC0, 0x09, 0xC2 };
    PcxRunDecoder decoder(coded);
    std::vector<std::uint8_t> line(3);
    ASSERT_TRUE(decoder.decode(line));
    EXPECT_EQ(line, (std::vector<std::uint8_t> { 7, 7, 7 }));
    ASSERT_TRUE(decoder.decode(line));
    EXPECT_EQ(line, (std::vector<std::uint8_t> { 7, 7, 1 }));
    // A count of zero repeats nothing; a count byte without its value ends the data.
    EXPECT_FALSE(decoder.decode(line));
    EXPECT_EQ(line, (std::vector<std::uint8_t> { 0, 0, 0 }));
}

TEST_F(Pcx, NetpbmFilesOfEveryDepthReadAsPcxtoppmReadsThem)
{
    GLIMMER_REQUIRE_TOOLS("ppmtopcx", "pcxtoppm", "convert");
    struct Case {
        int colors;
        std::string options;
        int bits;
    };
    for (const Case& c : { Case { 2, "", 1 }, Case { 16, "-planes 4", 4 }, Case { 16, "-packed", 4 },
             Case { 200, "-8bit", 8 }, Case { 0, "-24bit", 24 } }) {
        SCOPED_TRACE(c.options + " " + std::to_string(c.colors));
        const std::string file = path("np" + std::to_string(c.bits) + std::to_string(c.options.size()) + ".pcx");
        ASSERT_TRUE(runTool("ppmtopcx " + c.options + " " + picture(c.colors) + " > " + file + " 2>/dev/null"));
        expectReadsLikePcxtoppm(file, c.bits);
    }
}

// True-colour lines padded past an odd width (bytes per line is even): each plane starts a whole
// padded line after the one before it, and the pad bytes show nowhere.
TEST_F(Pcx, PaddedTrueColourLinesReadAsImageMagickReadsThem)
{
    GLIMMER_REQUIRE_TOOLS("convert");
    std::vector<std::uint8_t> file(128, 0);
    file[0] = 10, file[1] = 5, file[2] = 1, file[3] = 8, file[65] = 3;
    storeU16Le(&file[8], 2); // 3 × 2 pixels
    storeU16Le(&file[10], 1);
    storeU16Le(&file[66], 4);
    for (int y = 0; y < 2; ++y)
        for (int plane = 0; plane < 3; ++plane)
            for (int x = 0; x < 4; ++x) // values below 0xC0 stand for themselves
                file.push_back(std::uint8_t(x == 3 ? 0x7F : 20 + 50 * plane + 15 * x + 7 * y));
    writeFile(dir / "padded.pcx", std::string(file.begin(), file.end()));
    ReadResult ours = readPcxFile(path("padded.pcx"), allocator);
    ASSERT_TRUE(ours.ok()) << ours.detail;
    auto peer = decodeWithImageMagick(dir / "padded.pcx", dir.path());
    ASSERT_TRUE(peer);
    EXPECT_EQ(countDifferences(toRgb(*ours.image), *peer), 0);
}

TEST_F(Pcx, ImageMagickFilesReadAsImageMagickReadsThem)
{
    GLIMMER_REQUIRE_TOOLS("convert");
    for (const std::string type : { "Grayscale", "Palette", "TrueColor", "Bilevel" }) {
        SCOPED_TRACE(type);
        const std::string file = path(type + ".pcx");
        ASSERT_TRUE(runTool("convert " + picture(0) + " -type " + type + " " + file));
        ReadResult ours = readPcxFile(file, allocator);
        ASSERT_TRUE(ours.ok()) << ours.detail;
        auto peer = decodeWithImageMagick(file, dir.path());
        ASSERT_TRUE(peer);
        EXPECT_EQ(countDifferences(toRgb(*ours.image), *peer), 0);
    }
}

TEST_F(Pcx, EveryDepthWrittenReadsBackExactlyAndPeersAgree)
{
    const bool peers = haveTool("pcxtoppm") && haveTool("convert");
    struct Case {
        int bits;
        bool gray;
    };
    for (const Case c :
        { Case { 1, false }, Case { 4, false }, Case { 8, false }, Case { 8, true }, Case { 24, false } }) {
        SCOPED_TRACE(std::to_string(c.bits) + (c.gray ? " gray" : ""));
        const Image image = testImage(37, 11, c.bits, c.gray);
        const std::string file = path("w" + std::to_string(c.bits) + (c.gray ? "g" : "") + ".pcx");
        ASSERT_EQ(writePcxFile(file, image, host), WriteResult::Written);
        ReadResult back = readPcxFile(file, allocator);
        ASSERT_TRUE(back.ok()) << back.detail;
        EXPECT_EQ(countDifferences(toRgb(*back.image), toRgb(image)), 0);
        EXPECT_EQ(back.image->xPelsPerMeter(), 11811);
        EXPECT_EQ(back.image->yPelsPerMeter(), 2834); // 72 dpi either way
        if (c.bits == 8) {
            EXPECT_EQ(back.image->colorCount(), 256);
        }
        if (!peers)
            continue;
        ASSERT_TRUE(runTool("pcxtoppm " + file + " > " + file + ".ppm 2>/dev/null"));
        auto netpbm = readNetpbm(file + ".ppm");
        ASSERT_TRUE(netpbm);
        EXPECT_EQ(countDifferences(*netpbm, toRgb(image)), 0);
        // This ImageMagick shows every 1-bit PCX file as its negative, netpbm's own included.
        if (c.bits == 1)
            continue;
        auto magick = decodeWithImageMagick(file, dir.path());
        ASSERT_TRUE(magick);
        EXPECT_EQ(countDifferences(*magick, toRgb(image)), 0);
    }
}

TEST_F(Pcx, HeaderDescribesThePlanesOfEachDepth)
{
    const auto h24 = pcxHeader(testImage(37, 11, 24));
    EXPECT_EQ(h24[0], 10);
    EXPECT_EQ(h24[1], 5);
    EXPECT_EQ(h24[2], 1);
    EXPECT_EQ(h24[3], 8);
    EXPECT_EQ(h24[65], 3);
    EXPECT_EQ(loadU16Le(&h24[66]), 37);
    EXPECT_EQ(loadU16Le(&h24[8]), 36);
    EXPECT_EQ(loadU16Le(&h24[10]), 10);
    EXPECT_EQ(loadU16Le(&h24[12]), 300);
    EXPECT_EQ(loadU16Le(&h24[68]), 1);

    const auto h4 = pcxHeader(testImage(37, 11, 4));
    EXPECT_EQ(h4[3], 1);
    EXPECT_EQ(h4[65], 4);
    EXPECT_EQ(loadU16Le(&h4[66]), 5);
    EXPECT_EQ(h4[16 + 3 * 2], 80); // red of colour 2

    EXPECT_EQ(loadU16Le(&pcxHeader(testImage(5, 5, 8, true))[68]), 2);
    const auto h1 = pcxHeader(testImage(5, 5, 1));
    EXPECT_EQ((std::vector<std::uint8_t>(h1.begin() + 16, h1.begin() + 22)),
        (std::vector<std::uint8_t> { 0, 0, 0, 255, 255, 255 }));
}

TEST_F(Pcx, WideLineOfOneByteIsElevenRunsAndThePaletteFollows)
{
    Image image = std::move(Image::create(640, 1, 8)).value();
    std::fill(image.pixels().begin(), image.pixels().end(), std::uint8_t(0xC5));
    image.setColor(0xC5, Rgbq { 1, 2, 3, 0 });
    ASSERT_EQ(writePcxFile(path("wide.pcx"), image, host), WriteResult::Written);
    const std::string file = readFile(dir / "wide.pcx");
    ASSERT_EQ(file.size(), 128u + 22u + 769u);
    std::string expected;
    for (int i = 0; i < 10; ++i)
        expected += "\xFF\xC5";
    expected += "\xCA\xC5";
    EXPECT_EQ(file.substr(128, 22), expected);
    EXPECT_EQ(file[150], 12);
    EXPECT_EQ(file.substr(151 + 3 * 0xC5, 3), "\x03\x02\x01");
}

TEST_F(Pcx, OneBitImageWithWhiteFirstKeepsItsLook)
{
    Image image = testImage(21, 3, 1);
    image.setColor(0, Rgbq { 255, 255, 255, 0 });
    image.setColor(1, Rgbq { 0, 0, 0, 0 });
    ASSERT_EQ(writePcxFile(path("neg.pcx"), image, host), WriteResult::Written);
    ReadResult back = readPcxFile(path("neg.pcx"), allocator);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.image->color(0), (Rgbq { 0, 0, 0, 0 }));
    EXPECT_EQ(countDifferences(toRgb(*back.image), toRgb(image)), 0);
}

TEST_F(Pcx, BadFilesGiveTheirAnswersWithoutAHugeBlock)
{
    const Image image = testImage(40, 30, 8);
    ASSERT_EQ(writePcxFile(path("good.pcx"), image, host), WriteResult::Written);
    const auto good = bytesOf(readFile(dir / "good.pcx"));

    EXPECT_EQ(decodePcx(std::span(good).first(127), allocator).status, ReadStatus::NotThisFormat);
    auto wrongMaker = good;
    wrongMaker[0] = 11;
    EXPECT_EQ(decodePcx(wrongMaker, allocator).status, ReadStatus::NotThisFormat);

    auto noMarker = good;
    noMarker[noMarker.size() - 769] = 13;
    EXPECT_EQ(decodePcx(noMarker, allocator).status, ReadStatus::NoImage);

    // Lines cut short: the palette stays at the end, the coded data before it is shortened.
    std::vector<std::uint8_t> cut(good.begin(), good.begin() + 400);
    cut.insert(cut.end(), good.end() - 769, good.end());
    EXPECT_EQ(decodePcx(cut, allocator).status, ReadStatus::CannotRead);
    EXPECT_TRUE(host.messages.empty());

    // A header claiming 65535 × 65536 pixels over a few coded bytes takes no block at all.
    auto huge = good;
    storeU16Le(&huge[8], 0xFFFE);
    storeU16Le(&huge[10], 0xFFFF);
    storeU16Le(&huge[66], 0xFFFF);
    EXPECT_EQ(decodePcx(huge, allocator).status, ReadStatus::CannotRead);
    EXPECT_TRUE(host.messages.empty());

    auto backwards = good;
    storeU16Le(&backwards[4], 50);
    EXPECT_EQ(decodePcx(backwards, allocator).status, ReadStatus::NoImage);

    auto narrow = good;
    storeU16Le(&narrow[66], 39);
    EXPECT_EQ(decodePcx(narrow, allocator).status, ReadStatus::NoImage);

    auto twoBit = good;
    twoBit[3] = 2;
    EXPECT_EQ(decodePcx(twoBit, allocator).status, ReadStatus::NoImage);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Unknown file format");

    const Allocator tight(host, 1000);
    EXPECT_EQ(decodePcx(good, tight).status, ReadStatus::NoImage);
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[1].text, "There is not enough memory.");

    EXPECT_EQ(readPcxFile(path("missing.pcx"), allocator).status, ReadStatus::CannotRead);
}

TEST_F(Pcx, WriterFailuresAreNeverSuccess)
{
    EXPECT_EQ(writePcxFile(path("none.pcx"), Image(), host), WriteResult::Reported);
    EXPECT_EQ(writePcxFile("/nonexistent-folder/x.pcx", testImage(4, 4, 24), host), WriteResult::Reported);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Insufficient disk space or disk error.");
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_EQ(writePcxFile("/dev/full", testImage(64, 64, 24), host), WriteResult::WriteError);
    }
}
