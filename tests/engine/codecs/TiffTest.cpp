#include "codecs/TiffReader.h"
#include "codecs/TiffWriter.h"

#include "CodecTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"
#include "base/ByteReader.h"
#include "codecs/Lzw.h"
#include "codecs/ReadImageFile.h"
#include "codecs/RedBlueSwap.h"
#include "codecs/SafeSave.h"
#include "base/WorkerPool.h"
#include "image/ImageType.h"
#include "app/App.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <random>

using namespace gp;
using namespace gp::test;

namespace {

std::uint16_t u16At(const std::string& s, std::size_t at)
{
    return loadU16Le(reinterpret_cast<const std::uint8_t*>(s.data()) + at);
}
std::uint32_t u32At(const std::string& s, std::size_t at)
{
    return loadU32Le(reinterpret_cast<const std::uint8_t*>(s.data()) + at);
}
void putU16(std::string& s, std::size_t at, std::uint16_t v)
{
    storeU16Le(reinterpret_cast<std::uint8_t*>(s.data()) + at, v);
}
void putU32(std::string& s, std::size_t at, std::uint32_t v)
{
    storeU32Le(reinterpret_cast<std::uint8_t*>(s.data()) + at, v);
}

// Offset of the directory entry of `tag` in a little-endian file, or 0.
std::size_t entryOf(const std::string& file, std::uint16_t tag)
{
    const std::uint32_t directory = u32At(file, 4);
    for (std::size_t i = 0; i < u16At(file, directory); ++i) {
        const std::size_t entry = directory + 2 + 12 * i;
        if (u16At(file, entry) == tag)
            return entry;
    }
    return 0;
}

// A little-endian file put together byte by byte: data blocks first, the directory last.
class HandMadeTiff {
public:
    HandMadeTiff()
        : m_bytes("II\x2A\0\0\0\0\0", 8)
    {
    }

    std::uint32_t put(const std::string& data)
    {
        const auto at = std::uint32_t(m_bytes.size());
        m_bytes += data;
        if (m_bytes.size() % 2)
            m_bytes += '\0';
        return at;
    }
    void entry(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t value)
    {
        m_entries.push_back({ tag, type, count, value });
    }
    std::string bytes() const
    {
        std::string out = m_bytes;
        putU32(out, 4, std::uint32_t(out.size()));
        out += std::string(2 + 12 * m_entries.size() + 4, '\0');
        std::size_t at = m_bytes.size();
        putU16(out, at, std::uint16_t(m_entries.size()));
        for (const auto& e : m_entries) {
            putU16(out, at + 2, std::uint16_t(e[0]));
            putU16(out, at + 4, std::uint16_t(e[1]));
            putU32(out, at + 6, e[2]);
            putU32(out, at + 10, e[3]);
            at += 12;
        }
        return out;
    }

private:
    std::string m_bytes;
    std::vector<std::array<std::uint32_t, 4>> m_entries;
};

struct Tiff : ::testing::Test {
    TempDir dir;
    FakeHost host;
    Allocator allocator { host, std::size_t(256) << 20 };

    void SetUp() override
    {
        GLIMMER_REQUIRE_TOOLS("tiffcp", "tiff2bw", "tiff2rgba", "tiffinfo", "tiffcmp", "convert");
        ASSERT_TRUE(runTool("convert -size 61x37 -seed 3 plasma: -depth 8 ppm:" + path("in.ppm")));
        ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -compress none " + path("rgb.tif")));
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }

    Image read(const std::string& name)
    {
        ReadResult result = readTiffFile(path(name), allocator);
        EXPECT_TRUE(result.ok()) << name << ": " << result.detail;
        return result.ok() ? std::move(*result.image) : Image();
    }

    ReadStatus statusOf(const std::string& bytes)
    {
        writeFile(dir / "probe.tif", bytes);
        return readTiffFile(path("probe.tif"), allocator).status;
    }

    // A picture as a peer decodes it: libtiff's own RGBA decode through tiff2rgba, or
    // ImageMagick's decode.
    std::optional<RgbPicture> peerDecode(const std::string& name, bool libtiff)
    {
        const std::string ppm = path(name + (libtiff ? ".rgba.ppm" : ".magick.ppm"));
        const std::string source = libtiff ? path(name + ".rgba.tif") : path(name);
        if (libtiff && !runTool("tiff2rgba -c none " + path(name) + " " + source + " 2>/dev/null"))
            return std::nullopt;
        if (!runTool("convert " + source + " -strip -alpha off -depth 8 ppm:" + ppm + " 2>/dev/null"))
            return std::nullopt;
        return readNetpbm(ppm);
    }

    // Our decode must match libtiff's exactly, and ImageMagick's within `magickTolerance`
    // (it scales 16-bit colour maps by 255/65535 where libtiff keeps the high byte).
    void expectSameAsPeers(const std::string& name, const Image& image, int magickTolerance = 0)
    {
        ASSERT_FALSE(image.isNull()) << name;
        const RgbPicture ours = toRgb(image);
        for (const bool libtiff : { true, false }) {
            auto peer = peerDecode(name, libtiff);
            ASSERT_TRUE(peer) << name;
            EXPECT_EQ(countDifferences(ours, *peer, libtiff ? 0 : magickTolerance), 0)
                << name << (libtiff ? " (libtiff)" : " (ImageMagick)");
        }
    }
};

} // namespace

TEST_F(Tiff, StripLayoutsByteOrdersAndLzwDecodeAsThePeersDo)
{
    const std::vector<std::pair<std::string, std::string>> variants = {
        { "plain.tif", "-c none" },
        { "lzw.tif", "-c lzw" },
        { "lzw2.tif", "-c lzw:2" },
        { "big.tif", "-B -c none" },
        { "little.tif", "-L -c lzw:2" },
        { "strips.tif", "-c none -r 5" },
        { "lzwstrips.tif", "-c lzw -r 7" },
        { "big2strips.tif", "-B -c lzw:2 -r 3" },
    };
    const Image reference = read("rgb.tif");
    expectSameAsPeers("rgb.tif", reference);
    for (const auto& [name, options] : variants) {
        ASSERT_TRUE(runTool("tiffcp " + options + " " + path("rgb.tif") + " " + path(name)));
        const Image image = read(name);
        expectSameAsPeers(name, image);
        EXPECT_EQ(imageTypeOf(&image), ImageType::Rgb24) << name;
    }
}

TEST_F(Tiff, GrayPaletteAndBilevelFilesDecodeAsThePeersDo)
{
    ASSERT_TRUE(runTool("tiff2bw " + path("rgb.tif") + " " + path("gray.tif")));
    ASSERT_TRUE(runTool("tiffcp -c lzw:2 " + path("gray.tif") + " " + path("graylzw.tif")));
    ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -type Palette " + path("pal8.tif")));
    ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -colors 16 -type Palette " + path("pal4.tif")));
    ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -colorspace Gray -depth 4 " + path("gray4.tif")));
    ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -type Bilevel -depth 1 " + path("black0.tif")));
    ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -type Bilevel -depth 1 -define quantum:polarity=min-is-white "
        + path("white0.tif")));
    ASSERT_TRUE(runTool("tiffcp -c lzw " + path("white0.tif") + " " + path("white0lzw.tif")));

    const std::vector<std::pair<std::string, ImageType>> files = {
        { "gray.tif", ImageType::Gray8 },
        { "graylzw.tif", ImageType::Gray8 },
        { "pal8.tif", ImageType::Indexed8 },
        { "pal4.tif", ImageType::Indexed4 },
        { "gray4.tif", ImageType::Indexed4 },
        { "black0.tif", ImageType::BlackWhite },
        { "white0.tif", ImageType::BlackWhite },
        { "white0lzw.tif", ImageType::BlackWhite },
    };
    for (const auto& [name, type] : files) {
        const Image image = read(name);
        expectSameAsPeers(name, image, 1);
        EXPECT_EQ(imageTypeOf(&image), type) << name;
    }
    // White is zero: pixel bit 0 shows white.
    const Image white0 = read("white0.tif");
    EXPECT_EQ(white0.color(0), (Rgbq { 255, 255, 255, 0 }));

    // The same palette image in either byte order gives the same block.
    ASSERT_TRUE(runTool("tiffcp -B " + path("pal8.tif") + " " + path("pal8be.tif")));
    ASSERT_TRUE(runTool("tiffcp -L " + path("pal8.tif") + " " + path("pal8le.tif")));
    const Image big = read("pal8be.tif"), little = read("pal8le.tif");
    ASSERT_FALSE(big.isNull());
    ASSERT_FALSE(little.isNull());
    EXPECT_TRUE(std::ranges::equal(big.packed(), little.packed()));
}

TEST_F(Tiff, StripsWithoutByteCountsAreStillRead)
{
    for (const std::string options : { "-c none -r 6", "-c none", "-c lzw:2", "-c lzw -r 4" }) {
        ASSERT_TRUE(runTool("tiffcp " + options + " " + path("rgb.tif") + " " + path("counted.tif")));
        std::string file = readFile(dir / "counted.tif");
        const std::size_t counts = entryOf(file, 279);
        ASSERT_NE(counts, 0u);
        putU16(file, counts, 65000); // an unknown tag in place of StripByteCounts
        writeFile(dir / "uncounted.tif", file);
        const Image counted = read("counted.tif"), uncounted = read("uncounted.tif");
        EXPECT_TRUE(std::ranges::equal(counted.packed(), uncounted.packed())) << options;
    }
}

TEST_F(Tiff, ImagesWiderThanSixteenBitsKeepTheirWidth)
{
    constexpr int width = 70001, height = 2;
    auto value = [](int x, int y) { return std::uint8_t(x * 7 + y * 3); };
    std::string pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels += char(value(x, y));
    HandMadeTiff file;
    const std::uint32_t strip = file.put(pixels);
    file.entry(256, 4, 1, width);
    file.entry(257, 4, 1, height);
    file.entry(258, 3, 1, 8);
    file.entry(262, 3, 1, 1);
    file.entry(273, 4, 1, strip);
    file.entry(279, 4, 1, std::uint32_t(pixels.size()));
    writeFile(dir / "wide.tif", file.bytes());
    // libtiff's own LZW coding of the same rows, with differencing.
    ASSERT_TRUE(runTool("tiffcp -c lzw:2 " + path("wide.tif") + " " + path("widelzw.tif")));

    for (const std::string name : { "wide.tif", "widelzw.tif" }) {
        const Image image = read(name);
        ASSERT_EQ(image.width(), width) << name;
        ASSERT_EQ(image.height(), height) << name;
        int wrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                wrong += image.row(y)[x] != value(x, y);
        EXPECT_EQ(wrong, 0) << name;
    }

    // Our writer stores such a width as a LONG; libtiff decodes it back to the same rows.
    const Image image = read("widelzw.tif");
    ASSERT_EQ(writeTiffFile(path("wide-out.tif"), image, true), WriteResult::Written);
    const std::string out = readFile(dir / "wide-out.tif");
    EXPECT_EQ(u16At(out, entryOf(out, 256) + 2), 4);
    EXPECT_EQ(u32At(out, entryOf(out, 256) + 8), std::uint32_t(width));
    ASSERT_TRUE(runTool("tiffcp -c none " + path("wide-out.tif") + " " + path("wide-back.tif") + " 2>/dev/null"));
    const std::string back = readFile(dir / "wide-back.tif");
    EXPECT_NE(back.find(pixels), std::string::npos);
}

TEST_F(Tiff, CameraYccRowsBecomeBlueGreenRed)
{
    HandMadeTiff file;
    const std::uint32_t bits = file.put(std::string("\x08\0\x08\0\x08\0", 6));
    const std::uint32_t make = file.put(std::string("RICOH\0", 6));
    // Two rows of four pixels: Y0 Y1 Cb Cr per pair.
    const std::uint32_t strip = file.put(std::string("\x64\x64\x80\x80"
                                                     "\x50\xC8\xE4\x80"
                                                     "\x00\xFF\x80\x80"
                                                     "\x80\x80\x80\xFF",
        16));
    file.entry(256, 3, 1, 4);
    file.entry(257, 3, 1, 2);
    file.entry(258, 3, 3, bits);
    file.entry(262, 3, 1, 6);
    file.entry(271, 2, 6, make);
    file.entry(273, 4, 1, strip);
    file.entry(277, 3, 1, 3);
    ASSERT_EQ(statusOf(file.bytes()), ReadStatus::Read);
    const Image image = read("probe.tif");
    ASSERT_EQ(image.bitsPerPixel(), 24);
    auto pixel = [&](int x, int y) {
        const std::uint8_t* p = image.row(y) + 3 * x;
        return std::array<int, 3> { p[0], p[1], p[2] };
    };
    // Neutral chroma gives gray.
    EXPECT_EQ(pixel(0, 0), (std::array<int, 3> { 100, 100, 100 }));
    EXPECT_EQ(pixel(1, 0), (std::array<int, 3> { 100, 100, 100 }));
    // Cb 228 on the right pixel: blue + 177, green - 34; the left pixel takes the mean (178).
    EXPECT_EQ(pixel(3, 0), (std::array<int, 3> { 255, 166, 200 }));
    EXPECT_EQ(pixel(2, 0), (std::array<int, 3> { 80 + 89, 80 - 17, 80 }));
    // Limits clamp; Cr 255 reddens the right pixel (+178) and half as much on the left.
    EXPECT_EQ(pixel(0, 1), (std::array<int, 3> { 0, 0, 0 }));
    EXPECT_EQ(pixel(1, 1), (std::array<int, 3> { 255, 255, 255 }));
    EXPECT_EQ(pixel(3, 1), (std::array<int, 3> { 128, 128 - 91, 255 }));
    EXPECT_EQ(pixel(2, 1), (std::array<int, 3> { 128, 128 - 45, 128 + 88 }));
}

TEST_F(Tiff, LzwStreamsStopCleanlyOnCodesBeyondTheTable)
{
    // 9-bit codes, most significant bit first: clear, 'A', 'B', then 300 (next free is 259).
    auto pack = [](std::initializer_list<unsigned> codes) {
        std::string out;
        std::uint32_t bits = 0;
        int count = 0;
        for (unsigned code : codes) {
            bits = (bits << 9) | code;
            count += 9;
            while (count >= 8) {
                count -= 8;
                out += char(bits >> count);
            }
        }
        if (count)
            out += char(bits << (8 - count));
        return out;
    };
    for (const bool bad : { false, true }) {
        HandMadeTiff file;
        const std::uint32_t strip
            = file.put(bad ? pack({ 256, 'A', 'B', 300, 'C' }) : pack({ 256, 'A', 'B', 258, 257 }));
        file.entry(256, 3, 1, 3);
        file.entry(257, 3, 1, 2);
        file.entry(258, 3, 1, 8);
        file.entry(259, 3, 1, 5);
        file.entry(262, 3, 1, 1);
        file.entry(273, 4, 1, strip);
        ASSERT_EQ(statusOf(file.bytes()), ReadStatus::Read);
        const Image image = read("probe.tif");
        EXPECT_EQ(image.row(0)[0], 'A');
        EXPECT_EQ(image.row(0)[1], 'B');
        // The bad code ends the stream: the rest stays zero.
        EXPECT_EQ(image.row(0)[2], bad ? 0 : 'A');
        EXPECT_EQ(image.row(1)[0], bad ? 0 : 'B');
    }
}

TEST_F(Tiff, FilesThatCannotBeShownGiveNoImage)
{
    EXPECT_EQ(readTiffFile(path("missing.tif"), allocator).status, ReadStatus::CannotRead);
    EXPECT_EQ(statusOf("GIF89a\x01\0\x01\0\0\0\0;"), ReadStatus::NoImage);
    EXPECT_EQ(statusOf("II*"), ReadStatus::NoImage);

    ASSERT_TRUE(runTool("tiff2bw " + path("rgb.tif") + " " + path("gray.tif")));
    const std::string gray = readFile(dir / "gray.tif");
    auto patched = [&](std::uint16_t tag, std::uint32_t value) {
        std::string file = gray;
        putU32(file, entryOf(file, tag) + 8, value);
        return file;
    };
    // White-is-zero 8-bit pixels need a colour map, which this file lacks.
    EXPECT_EQ(statusOf(patched(262, 0)), ReadStatus::NoImage);
    EXPECT_EQ(statusOf(patched(259, 7)), ReadStatus::NoImage); // compression
    EXPECT_EQ(statusOf(patched(258, 16)), ReadStatus::NoImage); // bits per sample
    EXPECT_EQ(statusOf(patched(273, 0xFFFFFF00)), ReadStatus::NoImage); // strip outside the file
    std::string manyEntries = gray;
    putU16(manyEntries, u32At(gray, 4), 27);
    EXPECT_EQ(statusOf(manyEntries), ReadStatus::NoImage);
    EXPECT_EQ(statusOf(gray.substr(0, gray.size() / 2)), ReadStatus::NoImage); // directory cut off

    // A plain strip whose rows run past the end.
    ASSERT_TRUE(runTool("tiffcp -c none -r 1000 " + path("gray.tif") + " " + path("one-strip.tif")));
    std::string cut = readFile(dir / "one-strip.tif");
    putU32(cut, entryOf(cut, 273) + 8, std::uint32_t(cut.size() - 100));
    EXPECT_EQ(statusOf(cut), ReadStatus::NoImage);

    // A header claiming more pixels than the ceiling allows is refused with the memory warning.
    HandMadeTiff huge;
    huge.entry(256, 4, 1, 0x7FFFFFFF);
    huge.entry(257, 4, 1, 0x7FFFFFFF);
    huge.entry(258, 3, 1, 8);
    huge.entry(262, 3, 1, 1);
    huge.entry(273, 4, 1, 8);
    const int warnings = int(host.messages.size());
    EXPECT_EQ(statusOf(huge.bytes()), ReadStatus::NoImage);
    EXPECT_EQ(int(host.messages.size()), warnings + 1);
}

TEST_F(Tiff, ResolutionFollowsTheUnit)
{
    EXPECT_EQ(tiffResolutionToPelsPerMeter(2, 300), 11811);
    EXPECT_EQ(tiffResolutionToPelsPerMeter(3, 118), 11811); // 118 px/cm is 300 dpi
    EXPECT_EQ(tiffResolutionToPelsPerMeter(1, 300), 0);
    EXPECT_EQ(pelsPerMeterToTiffDpi(11811), 300u);
    EXPECT_EQ(pelsPerMeterToTiffDpi(2835), 72u);
    EXPECT_EQ(pelsPerMeterToTiffDpi(-1), 0u);

    ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -units PixelsPerInch -density 150x75 " + path("dpi.tif")));
    const Image image = read("dpi.tif");
    EXPECT_EQ(image.xPelsPerMeter(), 5905);
    EXPECT_EQ(image.yPelsPerMeter(), 2952);
}

TEST_F(Tiff, WrittenFilesHaveTheFixedLayoutAndLeaveTheImageAlone)
{
    Image image = read("rgb.tif");
    ASSERT_FALSE(image.isNull());
    image.setResolution(11811, 2835);
    const std::vector<std::uint8_t> before(image.packed().begin(), image.packed().end());
    ASSERT_EQ(writeTiffFile(path("out.tif"), image, false), WriteResult::Written);
    EXPECT_TRUE(std::ranges::equal(image.packed(), before));

    const std::string file = readFile(dir / "out.tif");
    EXPECT_EQ(file.size(), 244u + 37 * 3 * 61);
    EXPECT_EQ(file.substr(0, 8), std::string("II\x2A\0\x08\0\0\0", 8));
    EXPECT_EQ(u16At(file, 8), 16);
    const std::array<int, 16> tags = { 256, 257, 258, 259, 262, 269, 273, 277, 278, 279, 282, 283, 284, 296, 317, 263 };
    for (std::size_t i = 0; i < tags.size(); ++i)
        EXPECT_EQ(u16At(file, 10 + 12 * i), tags[i]) << i;
    EXPECT_EQ(u32At(file, 202), 0u);
    EXPECT_EQ(u32At(file, 206), 300u);
    EXPECT_EQ(u32At(file, 214), 72u);
    EXPECT_EQ(file.substr(222, 16), std::string("Chromaplate\0\0\0\0\0", 16));
    EXPECT_EQ(file.substr(238, 6), std::string("\x08\0\x08\0\x08\0", 6));
    EXPECT_EQ(u32At(file, entryOf(file, 273) + 8), 244u);
    EXPECT_EQ(u32At(file, entryOf(file, 279) + 8), 37u * 3 * 61);
    // The first pixel goes out as red, green, blue.
    EXPECT_EQ(std::uint8_t(file[244]), image.row(0)[2]);
    EXPECT_EQ(std::uint8_t(file[246]), image.row(0)[0]);

    // A compressed write that fails part way leaves the image as it was too.
    {
        FileSizeLimit limit(1000);
        EXPECT_EQ(writeTiffFile(path("full.tif"), image, true), WriteResult::WriteError);
    }
    EXPECT_TRUE(std::ranges::equal(image.packed(), before));
    EXPECT_EQ(writeTiffFile(path("no/such/dir/x.tif"), image, false), WriteResult::WriteError);
    EXPECT_EQ(writeTiffFile(path("null.tif"), Image(), false), WriteResult::Reported);
}

TEST_F(Tiff, OnePixelLzwStripHoldsClearValueAndTwoEndCodes)
{
    Image image = std::move(Image::create(1, 1, 8)).value();
    for (int i = 0; i < 256; ++i)
        image.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    image.row(0)[0] = 0xA5;
    ASSERT_EQ(writeTiffFile(path("one.tif"), image, true), WriteResult::Written);
    const std::string file = readFile(dir / "one.tif");
    // 100000000 010100101 100000001 100000001, padded with zero bits.
    const std::string codes("\x80\x29\x60\x30\x10", 5);
    EXPECT_EQ(file.substr(238), codes);
    EXPECT_EQ(u32At(file, entryOf(file, 279) + 8), 5u);
    EXPECT_EQ(u16At(file, entryOf(file, 259) + 8), 5);
    EXPECT_EQ(u16At(file, entryOf(file, 262) + 8), 1);
}

TEST_F(Tiff, WrittenFilesSatisfyThePeers)
{
    ASSERT_TRUE(runTool("tiffcp -c lzw " + path("rgb.tif") + " " + path("rgblzw.tif")));
    ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -type Palette " + path("pal8.tif")));
    ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -colors 16 -type Palette " + path("pal4.tif")));
    ASSERT_TRUE(runTool("tiff2bw " + path("rgb.tif") + " " + path("gray.tif")));
    ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -type Bilevel -depth 1 " + path("bw.tif")));

    for (const std::string name : { "rgb.tif", "pal8.tif", "pal4.tif", "gray.tif", "bw.tif" }) {
        const Image image = read(name);
        for (const bool compress : { false, true }) {
            const std::string out = (compress ? "lzw-" : "plain-") + name;
            ASSERT_EQ(writeTiffFile(path(out), image, compress), WriteResult::Written) << out;
            EXPECT_TRUE(runTool("tiffinfo -D " + path(out) + " >/dev/null 2>&1")) << out;
            expectSameAsPeers(out, image, 1);
            const Image back = read(out);
            EXPECT_TRUE(std::ranges::equal(back.pixels(), image.pixels())) << out;
        }
    }
    // tiffcmp compares the image fields and every scanline; tags only one file has are listed
    // but are no difference in the picture.
    auto sameForTiffcmp = [&](const std::string& a, const std::string& b) {
        return runTool("! tiffcmp " + path(a) + " " + path(b) + " 2>/dev/null | grep -v 'appears only in' | grep -q .");
    };
    EXPECT_TRUE(sameForTiffcmp("rgb.tif", "plain-rgb.tif"));
    EXPECT_TRUE(sameForTiffcmp("rgblzw.tif", "lzw-rgb.tif"));
    EXPECT_TRUE(sameForTiffcmp("gray.tif", "plain-gray.tif"));
    EXPECT_FALSE(sameForTiffcmp("rgb.tif", "plain-pal8.tif"));
}

TEST_F(Tiff, DispatchReadsByContentAndSavesWithTheCompressFlag)
{
    App app { host, Paths { dir.path(), dir.path(), dir.path(), dir.path() } };
    std::filesystem::copy_file(dir / "rgb.tif", dir / "photo.bmp");
    ReadResult read = readImageFile(app.imageFiles(), path("photo.bmp"));
    ASSERT_TRUE(read.ok()) << read.detail;
    EXPECT_EQ(read.format, "TIF");

    app.saveOptions().compress = true;
    std::string name = path("saved.tif");
    ASSERT_TRUE(saveImageWithBackup(app.imageFiles(), *read.image, name));
    const std::string file = readFile(dir / "saved.tif");
    EXPECT_EQ(u16At(file, entryOf(file, 259) + 8), 5);
    const Image back = this->read("saved.tif");
    EXPECT_TRUE(std::ranges::equal(back.pixels(), read.image->pixels()));
}

namespace {

// A little-endian LZW file of `strips` made by our encoder: rows of `rowBytes` coded bytes,
// `rowsPerStrip` to a strip. `cutLast` keeps only the first third of the last strip's code and
// `damageMiddle` flips a byte in the middle one, so short and broken streams are read too.
struct LzwFileShape {
    int width = 1, height = 1, bits = 8, predictor = 1, rowsPerStrip = 1;
    bool camera = false, cutLast = false, damageMiddle = false;
};

std::string handMadeLzwFile(const LzwFileShape& shape, std::mt19937& random)
{
    const std::size_t rowBytes = shape.camera ? std::size_t(shape.width + 1) / 2 * 4
                                              : (std::size_t(shape.width) * std::size_t(shape.bits) + 7) / 8;
    // Runs of one value of random length between stretches of noise, so strings of every
    // length (and codes defined by their own step) turn up.
    std::vector<std::uint8_t> pixels(rowBytes * std::size_t(shape.height));
    for (std::size_t i = 0; i < pixels.size();) {
        const std::size_t run = std::min<std::size_t>(pixels.size() - i, 1 + random() % 90);
        const bool flat = random() % 2 == 0;
        const auto value = std::uint8_t(random());
        for (std::size_t k = 0; k < run; ++k, ++i)
            pixels[i] = flat ? value : std::uint8_t(random() % 7);
    }
    HandMadeTiff file;
    std::vector<std::uint32_t> offsets, counts;
    const int strips = (shape.height + shape.rowsPerStrip - 1) / shape.rowsPerStrip;
    for (int s = 0; s < strips; ++s) {
        const std::size_t first = std::size_t(s * shape.rowsPerStrip) * rowBytes;
        const std::size_t size = std::min(pixels.size() - first, std::size_t(shape.rowsPerStrip) * rowBytes);
        LzwEncoder encoder(kTiffLzwRules);
        std::vector<std::uint8_t> coded;
        encoder.encode(std::span(pixels).subspan(first, size), coded);
        encoder.finish(coded);
        if (shape.cutLast && s == strips - 1)
            coded.resize(coded.size() / 3);
        if (shape.damageMiddle && s == strips / 2 && !coded.empty())
            coded[coded.size() / 2] ^= 0x5A;
        offsets.push_back(file.put(std::string(coded.begin(), coded.end())));
        counts.push_back(std::uint32_t(coded.size()));
    }
    auto table = [&](const std::vector<std::uint32_t>& values) {
        std::string bytes(4 * values.size(), '\0');
        for (std::size_t i = 0; i < values.size(); ++i)
            putU32(bytes, 4 * i, values[i]);
        return file.put(bytes);
    };
    const std::uint32_t offsetTable = table(offsets), countTable = table(counts);
    const std::uint32_t depths = file.put(std::string("\x08\0\x08\0\x08\0", 6));
    const std::uint32_t make = file.put(std::string("RICOH\0", 6));
    const bool colour = shape.bits == 24;
    file.entry(256, 4, 1, std::uint32_t(shape.width));
    file.entry(257, 4, 1, std::uint32_t(shape.height));
    if (colour)
        file.entry(258, 3, 3, depths);
    else
        file.entry(258, 3, 1, std::uint32_t(shape.bits));
    file.entry(259, 3, 1, 5);
    file.entry(262, 3, 1, shape.camera ? 6 : colour ? 2 : 1);
    if (shape.camera)
        file.entry(271, 2, 6, make);
    // A single offset or count is held in the entry itself.
    file.entry(273, 4, std::uint32_t(strips), strips == 1 ? offsets[0] : offsetTable);
    file.entry(277, 3, 1, colour ? 3 : 1);
    file.entry(278, 4, 1, std::uint32_t(shape.rowsPerStrip));
    file.entry(279, 4, std::uint32_t(strips), strips == 1 ? counts[0] : countTable);
    file.entry(317, 3, 1, std::uint32_t(shape.predictor));
    return file.bytes();
}

} // namespace

// The fast roads through LZW strips (the whole-stream decoder, rows decoded where they lie in
// the picture, strips spread over two threads, coded bytes read a window at a time) must give the same picture, byte for byte, as
// the plain decoder on one thread: every depth and predictor the reader takes, rows with and
// without padding, camera rows, strips cut at odd rows, and short or damaged strips.
TEST(TiffLzwRoads, EveryRoadGivesThePlainDecodersPicture)
{
    FakeHost host;
    Allocator allocator { host, std::size_t(64) << 20 };
    WorkerPool twoThreads(2);
    std::mt19937 random(23);
    std::vector<LzwFileShape> shapes;
    for (const int bits : { 1, 4, 8, 24 })
        for (const int width : { 1, 5, 8, 67, 100 })
            for (const int rowsPerStrip : { 1, 3, 17, 40 })
                for (const int predictor : { 1, 2 })
                    shapes.push_back({ width, 40, bits, predictor, rowsPerStrip, false, rowsPerStrip == 3, predictor == 2 });
    // Big enough for several jobs, so the second thread takes some; with and without padding.
    for (const int width : { 700, 701 })
        for (const int predictor : { 1, 2 }) {
            shapes.push_back({ width, 523, 24, predictor, 7, false, predictor == 2, false });
            shapes.push_back({ width, 523, 8, predictor, 61, false, false, true });
        }
    for (const int width : { 6, 7, 333 })
        shapes.push_back({ width, 90, 24, 1, 11, true, width == 7, width == 333 });

    for (const LzwFileShape& shape : shapes) {
        const std::string bytes = handMadeLzwFile(shape, random);
        const std::span<const std::uint8_t> file(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        const std::string name = std::to_string(shape.bits) + "-bit " + std::to_string(shape.width) + " wide, "
            + std::to_string(shape.rowsPerStrip) + " rows a strip, predictor " + std::to_string(shape.predictor)
            + (shape.camera ? ", camera" : "") + (shape.cutLast ? ", cut" : "") + (shape.damageMiddle ? ", damaged" : "");
        const ReadResult plain = decodeTiff(file, allocator, TiffDecoding { nullptr, true });
        ASSERT_TRUE(plain.ok()) << name << ": " << plain.detail;
        const ReadResult fast = decodeTiff(file, allocator);
        const ReadResult pooled = decodeTiff(file, allocator, TiffDecoding { &twoThreads, false });
        // Coded bytes read 37 at a time, so windows end at every kind of place in a code.
        const ReadResult windowed = decodeTiff(file, allocator, TiffDecoding { &twoThreads, false, 37 });
        ASSERT_TRUE(fast.ok() && pooled.ok() && windowed.ok()) << name;
        EXPECT_TRUE(std::ranges::equal(fast.image->packed(), plain.image->packed())) << name;
        EXPECT_TRUE(std::ranges::equal(pooled.image->packed(), plain.image->packed())) << name;
        EXPECT_TRUE(std::ranges::equal(windowed.image->packed(), plain.image->packed())) << name;
    }
}

// The shuffled swap of red and blue must match a byte-by-byte swap at every length (the tail
// after the last whole sixteen bytes), in place and into another buffer.
TEST(RedBlueSwap, EveryLengthMatchesTheByteSwap)
{
    std::mt19937 random(4);
    for (std::size_t pixels = 0; pixels < 70; ++pixels) {
        const std::size_t bytes = 3 * pixels;
        std::vector<std::uint8_t> source(bytes + 5);
        for (auto& b : source)
            b = std::uint8_t(random());
        std::vector<std::uint8_t> expected = source;
        for (std::size_t i = 0; i < bytes; i += 3)
            std::swap(expected[i], expected[i + 2]);
        std::vector<std::uint8_t> inPlace = source;
        swapRedBlue(inPlace.data(), bytes);
        EXPECT_EQ(inPlace, expected) << pixels;
        // Into another buffer: the bytes past the pixels stay as they were.
        std::vector<std::uint8_t> copied(source.size(), 0xEE);
        copySwappingRedBlue(source.data(), copied.data(), bytes);
        EXPECT_TRUE(std::equal(copied.begin(), copied.begin() + std::ptrdiff_t(bytes), expected.begin())) << pixels;
        EXPECT_TRUE(std::all_of(copied.begin() + std::ptrdiff_t(bytes), copied.end(), [](std::uint8_t b) { return b == 0xEE; }))
            << pixels;
    }
}

namespace {

// A little-endian uncompressed file: random rows of `rowBytes`, `rowsPerStrip` to a strip.
// `gaps` puts a few bytes between strips (else they follow on in the file, as most writers lay
// them), `shortMiddle` gives the middle strip a byte count one row short (the rows after it then
// move up one), `withoutCounts` leaves the byte counts out, `cutLast` ends the file inside the
// last strip, `pastEnd` moves every strip on so the file ends halfway through their bytes
// (strips that follow on are then read together and the read runs past the end).
struct PlainFileShape {
    int width = 1, height = 1, bits = 8, predictor = 1, rowsPerStrip = 1;
    bool camera = false, gaps = false, shortMiddle = false, withoutCounts = false, cutLast = false, pastEnd = false;
};

std::string handMadePlainFile(const PlainFileShape& shape, std::mt19937& random)
{
    const std::size_t rowBytes = shape.camera ? std::size_t(shape.width + 1) / 2 * 4
                                              : (std::size_t(shape.width) * std::size_t(shape.bits) + 7) / 8;
    HandMadeTiff file;
    std::vector<std::uint32_t> offsets, counts;
    const int strips = (shape.height + shape.rowsPerStrip - 1) / shape.rowsPerStrip;
    std::string last;
    for (int s = 0; s < strips; ++s) {
        const int rows = std::min(shape.rowsPerStrip, shape.height - s * shape.rowsPerStrip);
        std::string strip(rowBytes * std::size_t(rows), '\0');
        for (char& c : strip)
            c = char(random());
        if (shape.gaps && s > 0)
            file.put(std::string(2 + 2 * std::size_t(s % 3), '\x77'));
        if (s == strips - 1 && shape.cutLast) {
            last = strip.substr(0, strip.size() / 2);
            offsets.push_back(0);
        } else {
            offsets.push_back(file.put(strip));
        }
        counts.push_back(std::uint32_t(strip.size() - (shape.shortMiddle && s == strips / 2 ? rowBytes : 0)));
    }
    auto table = [&](const std::vector<std::uint32_t>& values) {
        std::string bytes(4 * values.size(), '\0');
        for (std::size_t i = 0; i < values.size(); ++i)
            putU32(bytes, 4 * i, values[i]);
        return file.put(bytes);
    };
    // A cut last strip is stored after the directory, where the file ends inside it; its offset
    // is filled in once the directory is there.
    const std::uint32_t countTable = table(counts), offsetTable = table(offsets);
    const std::uint32_t depths = file.put(std::string("\x08\0\x08\0\x08\0", 6));
    const std::uint32_t make = file.put(std::string("RICOH\0", 6));
    const bool colour = shape.bits == 24;
    file.entry(256, 4, 1, std::uint32_t(shape.width));
    file.entry(257, 4, 1, std::uint32_t(shape.height));
    file.entry(258, 3, colour ? 3 : 1, colour ? depths : std::uint32_t(shape.bits));
    file.entry(259, 3, 1, 1);
    file.entry(262, 3, 1, shape.camera ? 6 : colour ? 2 : 1);
    // The maker's name marks the camera's rows.
    if (shape.camera)
        file.entry(271, 2, 6, make);
    const std::size_t offsetEntry = shape.camera ? 6 : 5; // the entry of the strip offsets
    file.entry(273, 4, std::uint32_t(strips), strips == 1 ? offsets[0] : offsetTable);
    file.entry(277, 3, 1, colour ? 3 : 1);
    file.entry(278, 4, 1, std::uint32_t(shape.rowsPerStrip));
    if (!shape.withoutCounts)
        file.entry(279, 4, std::uint32_t(strips), strips == 1 ? counts[0] : countTable);
    file.entry(317, 3, 1, std::uint32_t(shape.predictor));
    std::string bytes = file.bytes();
    if (shape.cutLast) {
        const auto at = std::uint32_t(bytes.size());
        if (strips == 1)
            putU32(bytes, u32At(bytes, 4) + 2 + 12 * offsetEntry + 8, at);
        else
            putU32(bytes, offsetTable + 4 * std::size_t(strips - 1), at);
        bytes += last;
    }
    if (shape.pastEnd) {
        const std::uint32_t shift = std::uint32_t(bytes.size()) - offsets.back() - std::uint32_t(rowBytes) / 2;
        for (int i = 0; i < strips; ++i) {
            const std::size_t at = strips == 1 ? u32At(bytes, 4) + 2 + 12 * offsetEntry + 8 : offsetTable + 4 * std::size_t(i);
            putU32(bytes, at, u32At(bytes, at) + shift);
        }
    }
    return bytes;
}

} // namespace

// Uncompressed strips read straight into the picture's rows (one scattered read per stretch of
// rows, jobs over two threads, from memory and through the file's vector reads) must give the
// row-by-row reader's answer exactly: the same picture for every depth, padded and unpadded
// rows, camera rows, differencing, strips of odd sizes, apart or following on, short byte
// counts and none, and the same message naming the same strip for files cut inside a strip.
TEST(TiffPlainRoads, EveryRoadGivesTheRowByRowAnswer)
{
    FakeHost host;
    Allocator allocator { host, std::size_t(64) << 20 };
    WorkerPool twoThreads(2);
    TempDir dir;
    std::mt19937 random(29);
    std::vector<PlainFileShape> shapes;
    for (const int bits : { 1, 4, 8, 24 })
        for (const int width : { 1, 5, 8, 67, 100 })
            for (const int rowsPerStrip : { 1, 3, 17, 40 }) {
                PlainFileShape shape { width, 40, bits, 1, rowsPerStrip };
                shape.gaps = rowsPerStrip == 3;
                shape.shortMiddle = width == 5 && rowsPerStrip > 1;
                shape.withoutCounts = width == 67;
                shape.cutLast = width == 100 && bits != 4;
                shape.pastEnd = width == 1 && rowsPerStrip != 3;
                shape.predictor = bits >= 8 && width == 8 ? 2 : 1;
                shapes.push_back(shape);
            }
    // Several jobs, so the second thread takes some; one tall strip needs more pieces than one
    // vector read takes.
    for (const int width : { 700, 701 }) {
        shapes.push_back({ width, 900, 24, 1, 7, false, width == 701, false, false, false });
        shapes.push_back({ width, 900, 8, 2, 61, false, false, true, false, width == 700 });
        shapes.push_back({ width, 900, 24, 1, 5, false, false, false, false, false, true });
    }
    shapes.push_back({ 3, 3000, 24, 1, 3000 });
    shapes.push_back({ 9, 2500, 1, 1, 2500, false, false, false, false, true });
    for (const int width : { 6, 7, 333 })
        shapes.push_back({ width, 90, 24, 1, 11, true, width == 7, width == 333 });

    for (const PlainFileShape& shape : shapes) {
        const std::string bytes = handMadePlainFile(shape, random);
        const std::span<const std::uint8_t> file(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        const std::string name = std::to_string(shape.bits) + "-bit " + std::to_string(shape.width) + " × "
            + std::to_string(shape.height) + ", " + std::to_string(shape.rowsPerStrip) + " rows a strip"
            + (shape.camera ? ", camera" : "") + (shape.gaps ? ", gaps" : "") + (shape.shortMiddle ? ", short" : "")
            + (shape.withoutCounts ? ", no counts" : "") + (shape.cutLast ? ", cut" : "") + (shape.pastEnd ? ", past the end" : "");
        const ReadResult reference = decodeTiff(file, allocator, TiffDecoding { nullptr, true });
        EXPECT_EQ(reference.ok(), !shape.cutLast && !shape.pastEnd) << name << ": " << reference.detail;
        writeFile(dir / "plain.tif", bytes);
        const std::string path = (dir / "plain.tif").string();
        const ReadResult roads[] = { decodeTiff(file, allocator), decodeTiff(file, allocator, TiffDecoding { &twoThreads }),
            readTiffFile(path, allocator), readTiffFile(path, allocator, TiffDecoding { &twoThreads }) };
        for (const ReadResult& road : roads) {
            ASSERT_EQ(road.status, reference.status) << name << ": " << road.detail;
            EXPECT_EQ(road.detail, reference.detail) << name;
            if (reference.ok()) {
                EXPECT_TRUE(std::ranges::equal(road.image->packed(), reference.image->packed())) << name;
            }
        }
    }
}

// Uncompressed writes go out in chunks of whole rows, the disk write of every 8 MiB started
// early: pictures of every depth spanning several chunks (one row wider than a chunk, one
// picture past the first 8 MiB) must come back row for row, the strip exactly its rows long,
// and a write that fails in a later chunk must answer a write error.
TEST(TiffPlainWrites, PicturesOfSeveralChunksComeBackRowForRow)
{
    FakeHost host;
    Allocator allocator { host, std::size_t(256) << 20 };
    TempDir dir;
    std::mt19937 random(31);
    struct Shape {
        int width, height, bits;
    };
    for (const Shape shape : { Shape { 701, 700, 24 }, Shape { 1500, 1000, 8 }, Shape { 333, 90, 4 },
             Shape { 9001, 1000, 1 }, Shape { 400000, 2, 24 }, Shape { 2001, 1500, 24 } }) {
        Image image = std::move(Image::create(shape.width, shape.height, shape.bits)).value();
        const std::size_t rowSize = (std::size_t(shape.width) * std::size_t(shape.bits) + 7) / 8;
        for (int y = 0; y < image.height(); ++y)
            for (std::size_t i = 0; i < rowSize; ++i)
                image.row(y)[i] = std::uint8_t(random());
        const std::string name = std::to_string(shape.bits) + "-bit " + std::to_string(shape.width);
        const std::string path = (dir / "chunks.tif").string();
        ASSERT_EQ(writeTiffFile(path, image, false), WriteResult::Written) << name;
        const std::string file = readFile(dir / "chunks.tif");
        const std::uint32_t stripOffset = u32At(file, entryOf(file, 273) + 8);
        EXPECT_EQ(u32At(file, entryOf(file, 279) + 8), rowSize * std::size_t(shape.height)) << name;
        EXPECT_EQ(file.size(), stripOffset + rowSize * std::size_t(shape.height)) << name;
        const ReadResult back = readTiffFile(path, allocator);
        ASSERT_TRUE(back.ok()) << name << ": " << back.detail;
        for (int y = 0; y < image.height(); ++y)
            ASSERT_TRUE(std::equal(image.row(y), image.row(y) + rowSize, back.image->row(y))) << name << " row " << y;
    }
    Image big = std::move(Image::create(1500, 1000, 24)).value();
    FileSizeLimit limit(std::size_t(3) << 20);
    EXPECT_EQ(writeTiffFile((dir / "full.tif").string(), big, false), WriteResult::WriteError);
}
