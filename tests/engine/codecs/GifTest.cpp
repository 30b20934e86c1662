#include "codecs/GifReader.h"
#include "codecs/GifWriter.h"

#include "CodecTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"
#include "codecs/ReadImageFile.h"
#include "codecs/SaveOptions.h"
#include "codecs/WriteImageFile.h"
#include "app/App.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <sstream>

using namespace gp;
using namespace gp::test;

namespace {

// The first image of a GIF as giflib's gifbuild -d dumps it: the colour map in use and one
// index per pixel in display order.
struct GiflibDump {
    int width = 0;
    int height = 0;
    std::vector<std::array<int, 3>> map;
    std::vector<std::uint8_t> indices;
};

std::optional<GiflibDump> parseDump(std::istream& in)
{
    GiflibDump dump;
    std::map<char, int> keys;
    std::string line;
    while (std::getline(in, line)) {
        if (line == "screen map" || line == "image map") {
            dump.map.clear();
            keys.clear();
            while (std::getline(in, line) && line != "end") {
                std::istringstream entry(line);
                std::string rgb, is;
                std::array<int, 3> c {};
                char key = 0;
                if (entry >> rgb >> c[0] >> c[1] >> c[2] && rgb == "rgb") {
                    if (entry >> is >> key)
                        keys[key] = int(dump.map.size());
                    dump.map.push_back(c);
                }
            }
        } else if (line.starts_with("image bits ")) {
            std::istringstream size(line.substr(11));
            std::string by;
            size >> dump.width >> by >> dump.height;
            const bool hex = line.ends_with(" hex");
            for (int y = 0; y < dump.height && std::getline(in, line); ++y) {
                for (int x = 0; x < dump.width; ++x) {
                    if (hex)
                        dump.indices.push_back(
                            std::uint8_t(std::stoi(line.substr(2 * std::size_t(x), 2), nullptr, 16)));
                    else
                        dump.indices.push_back(std::uint8_t(keys.at(line.at(std::size_t(x)))));
                }
            }
            return dump;
        }
    }
    return std::nullopt;
}

std::vector<std::uint8_t> indicesOf(const Image& image)
{
    std::vector<std::uint8_t> indices;
    const int bits = image.bitsPerPixel();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int perByte = 8 / bits;
            indices.push_back(
                std::uint8_t((image.row(y)[x / perByte] >> (8 - bits * (x % perByte + 1))) & ((1 << bits) - 1)));
        }
    return indices;
}

struct Gif : ::testing::Test {
    TempDir dir;
    FakeHost host;
    Allocator allocator { host, std::size_t(64) << 20 };

    void SetUp() override
    {
        GLIMMER_REQUIRE_TOOLS("gifbuild", "giftext", "convert");
        ASSERT_TRUE(runTool("convert -size 37x23 -seed 7 plasma: -depth 8 ppm:" + path("in.ppm")));
    }

    std::string path(const std::string& name) const { return (dir / name).string(); }

    std::optional<GiflibDump> giflibDump(const std::string& name)
    {
        if (!runTool("gifbuild -d " + path(name) + " > " + path(name + ".txt") + " 2>/dev/null"))
            return std::nullopt;
        std::ifstream in(dir / (name + ".txt"));
        return parseDump(in);
    }

    // Builds a GIF with gifbuild from its text description.
    void build(const std::string& name, const std::string& description)
    {
        writeFile(dir / (name + ".txt"), description);
        ASSERT_TRUE(runTool("gifbuild " + path(name + ".txt") + " > " + path(name) + " 2>/dev/null"));
    }

    // Our reading of a file against giflib's: same size, indices and table, and the same colours
    // as ImageMagick's decode unless the image is the black-and-white 1-bit kind.
    void expectSameAsPeers(const std::string& name, const Image& image)
    {
        auto dump = giflibDump(name);
        ASSERT_TRUE(dump);
        ASSERT_EQ(image.width(), dump->width);
        ASSERT_EQ(image.height(), dump->height);
        EXPECT_EQ(indicesOf(image), dump->indices);
        if (image.bitsPerPixel() == 1)
            return;
        ASSERT_EQ(std::size_t(image.colorCount()), dump->map.size());
        for (std::size_t i = 0; i < dump->map.size(); ++i) {
            const Rgbq c = image.color(int(i));
            EXPECT_EQ((std::array<int, 3> { c.red, c.green, c.blue }), dump->map[i]) << "entry " << i;
        }
        // -strip keeps a GIF comment out of the PPM header.
        ASSERT_TRUE(runTool("convert " + path(name) + " -strip -alpha off -depth 8 ppm:" + path(name + ".ppm")));
        auto magick = readNetpbm(path(name + ".ppm"));
        ASSERT_TRUE(magick);
        EXPECT_EQ(countDifferences(toRgb(image), *magick), 0);
    }

    std::vector<std::uint8_t> bytesOf(const std::string& name) const
    {
        const std::string text = readFile(dir / name);
        return { text.begin(), text.end() };
    }
};

// A 4-colour image, interlaced, smaller than its screen and placed inside it, whose local table
// replaces an 8-colour global table.
const char* const kLocalTableSpec = "screen width 20\nscreen height 12\nscreen map\n"
                                    "rgb 0 0 0 is a\nrgb 1 1 1 is b\nrgb 2 2 2 is c\nrgb 3 3 3 is d\n"
                                    "rgb 4 4 4 is e\nrgb 5 5 5 is f\nrgb 6 6 6 is g\nrgb 7 7 7 is h\nend\n"
                                    "image\nimage left 3\nimage top 2\nimage interlaced\nimage map\n"
                                    "rgb 200 10 20 is A\nrgb 30 200 40 is B\nrgb 50 60 200 is C\n"
                                    "rgb 250 250 5 is D\nend\nimage bits 5 by 9\n"
                                    "AAAAA\nBBBBB\nCCCCC\nDDDDD\nABCDA\nBCDAB\nCDABC\nDABCD\nDCBAD\n";

} // namespace

TEST(GifInterlace, PassesVisitEveryRowOnceInTheirOrder)
{
    std::vector<int> order;
    for (int i = 0; i < 10; ++i)
        order.push_back(gifInterlacedRow(i, 10));
    EXPECT_EQ(order, (std::vector<int> { 0, 8, 4, 2, 6, 1, 3, 5, 7, 9 }));
    for (int height = 1; height <= 40; ++height) {
        std::vector<int> rows;
        for (int i = 0; i < height; ++i)
            rows.push_back(gifInterlacedRow(i, height));
        std::sort(rows.begin(), rows.end());
        std::vector<int> all(std::size_t(height), 0);
        std::iota(all.begin(), all.end(), 0);
        EXPECT_EQ(rows, all) << "height " << height;
    }
}

TEST_F(Gif, FilesOfEveryTableSizeAndVersionReadAsGiflibAndImageMagickDecodeThem)
{
    struct Case {
        int colors;
        int bits;
    };
    for (const Case c : { Case { 2, 1 }, Case { 4, 4 }, Case { 16, 4 }, Case { 256, 8 } }) {
        const std::string n = std::to_string(c.colors);
        // GIF87a; GIF89a interlaced; GIF89a whose graphic control extension holds a delay of
        // 44 (a comma) and whose comment holds a comma, both before the image.
        ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -colors " + n + " GIF87:" + path("a" + n + ".gif")));
        ASSERT_TRUE(
            runTool("convert " + path("in.ppm") + " -colors " + n + " -interlace GIF " + path("i" + n + ".gif")));
        ASSERT_TRUE(runTool(
            "convert -delay 44 -comment 'x,y' " + path("in.ppm") + " -colors " + n + " " + path("e" + n + ".gif")));
        for (const std::string prefix : { "a", "i", "e" }) {
            SCOPED_TRACE(prefix + n);
            ReadResult read = readGifFile(path(prefix + n + ".gif"), allocator);
            ASSERT_TRUE(read.ok()) << read.detail;
            EXPECT_EQ(read.image->bitsPerPixel(), c.bits);
            EXPECT_EQ(read.image->colorCount(), c.colors);
            EXPECT_EQ(read.image->xPelsPerMeter(), 0);
            expectSameAsPeers(prefix + n + ".gif", *read.image);
        }
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Gif, LocalTableInterlacedImageInsideALargerScreen)
{
    build("local.gif", kLocalTableSpec);
    ReadResult read = readGifFile(path("local.gif"), allocator);
    ASSERT_TRUE(read.ok()) << read.detail;
    EXPECT_EQ(read.image->width(), 5);
    EXPECT_EQ(read.image->height(), 9);
    EXPECT_EQ(read.image->bitsPerPixel(), 4);
    EXPECT_EQ(read.image->colorCount(), 4);
    EXPECT_EQ(read.image->color(2), (Rgbq { 200, 60, 50, 0 }));
    const auto indices = indicesOf(*read.image);
    EXPECT_EQ(std::vector<std::uint8_t>(indices.begin() + 15, indices.begin() + 25),
        (std::vector<std::uint8_t> { 3, 3, 3, 3, 3, 0, 1, 2, 3, 0 }));
    expectSameAsPeers("local.gif", *read.image);
}

TEST_F(Gif, TwoColourTableReadsAsBlackAndWhite)
{
    build("rb.gif",
        "screen width 6\nscreen height 2\nscreen map\nrgb 255 0 0 is r\nrgb 0 0 255 is b\nend\n"
        "image\nimage bits 6 by 2\nrrbbrb\nbrbrrr\n");
    ReadResult read = readGifFile(path("rb.gif"), allocator);
    ASSERT_TRUE(read.ok()) << read.detail;
    EXPECT_EQ(read.image->bitsPerPixel(), 1);
    ASSERT_EQ(read.image->colorCount(), 2);
    EXPECT_EQ(read.image->color(0), (Rgbq { 0, 0, 0, 0 }));
    EXPECT_EQ(read.image->color(1), (Rgbq { 255, 255, 255, 0 }));
    EXPECT_EQ(indicesOf(*read.image), (std::vector<std::uint8_t> { 0, 0, 1, 1, 0, 1, 1, 0, 1, 0, 0, 0 }));
}

TEST_F(Gif, WrittenFilesHaveTheFixedLayoutAndDecodeAlikeInThePeers)
{
    for (const int colors : { 2, 16, 256 }) {
        SCOPED_TRACE(colors);
        const std::string n = std::to_string(colors);
        ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -colors " + n + " " + path("src" + n + ".gif")));
        ReadResult source = readGifFile(path("src" + n + ".gif"), allocator);
        ASSERT_TRUE(source.ok());
        ASSERT_EQ(writeGifFile(path("out" + n + ".gif"), *source.image, host), WriteResult::Written);
        EXPECT_TRUE(runTool("giftext " + path("out" + n + ".gif") + " >/dev/null 2>&1"));
        ReadResult back = readGifFile(path("out" + n + ".gif"), allocator);
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(indicesOf(*back.image), indicesOf(*source.image));
        expectSameAsPeers("out" + n + ".gif", *back.image);
    }
    // A 16-colour image: signature, packed byte 0xB3, then 16 table entries and the minimum
    // code size 4 after the image descriptor.
    const auto bytes = bytesOf("out16.gif");
    ASSERT_GT(bytes.size(), 72u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF87a");
    EXPECT_EQ(bytes[10], 0xB3);
    EXPECT_EQ(bytes[13 + 48], ',');
    EXPECT_EQ(bytes[13 + 48 + 10], 4);
    EXPECT_EQ(bytesOf("out2.gif")[10], 0x80);
    EXPECT_EQ(bytesOf("out2.gif")[13 + 6 + 10], 2);
    EXPECT_EQ(bytesOf("out256.gif")[10], 0xF7);
    EXPECT_EQ(bytes.back(), ';');
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Gif, LongNoisyImagesSpanManyTablesAndFullSubBlocks)
{
    // Noise fills the 4096-entry table many times over, so the clear code after entry 4093 and
    // long runs of full sub-blocks are both exercised.
    Image noise = std::move(Image::create(613, 409, 8)).value();
    std::uint32_t state = 12345;
    for (auto& byte : noise.pixels()) {
        state = state * 1664525u + 1013904223u;
        byte = std::uint8_t(state >> 24);
    }
    for (int i = 0; i < 256; ++i)
        noise.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7), 0 });
    ASSERT_EQ(writeGifFile(path("noise.gif"), noise, host), WriteResult::Written);
    ReadResult back = readGifFile(path("noise.gif"), allocator);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(indicesOf(*back.image), indicesOf(noise));
    expectSameAsPeers("noise.gif", *back.image);

    const auto bytes = bytesOf("noise.gif");
    std::size_t pos = 13 + 768 + 10 + 1;
    std::vector<std::size_t> lengths;
    while (pos < bytes.size() && bytes[pos] != 0) {
        lengths.push_back(bytes[pos]);
        pos += 1 + bytes[pos];
    }
    ASSERT_GT(lengths.size(), 100u);
    EXPECT_TRUE(std::all_of(lengths.begin(), lengths.end() - 1, [](std::size_t l) { return l == 255; }));
    EXPECT_EQ(pos + 2, bytes.size()); // the zero-length block, then ";"
}

TEST_F(Gif, BadAndHostileFilesGiveNoImageWithoutReadingPastTheirData)
{
    EXPECT_EQ(decodeGif({}, allocator).status, ReadStatus::NoImage);
    const std::string notGif = "GIF88a\x01\x00\x01\x00\x00\x00\x00,";
    EXPECT_EQ(decodeGif({ reinterpret_cast<const std::uint8_t*>(notGif.data()), notGif.size() }, allocator).status,
        ReadStatus::NoImage);
    EXPECT_EQ(readGifFile(path("absent.gif"), allocator).status, ReadStatus::NoImage);

    // A 16-colour image whose global table flag is off and which has no local table.
    build("plain.gif",
        "screen width 4\nscreen height 1\nscreen map\nrgb 1 2 3 is a\nrgb 4 5 6 is b\nrgb 7 8 9 is c\n"
        "rgb 9 9 9 is d\nrgb 9 9 8 is e\nend\nimage\nimage bits 4 by 1\nabce\n");
    auto bytes = bytesOf("plain.gif");
    ASSERT_EQ(bytes[10] & 0x87, 0x82);
    std::vector<std::uint8_t> noTable(bytes.begin(), bytes.begin() + 13);
    noTable[10] &= 0x7F;
    noTable.insert(noTable.end(), bytes.begin() + 13 + 24, bytes.end());
    EXPECT_EQ(decodeGif(noTable, allocator).status, ReadStatus::NoImage);
    EXPECT_EQ(decodeGif(std::span(bytes).first(13 + 24), allocator).status, ReadStatus::NoImage); // no ","

    // Every cut of a real file ends cleanly; once the pixel data has begun, the pixels decoded so
    // far are kept and the rest are 0.
    ASSERT_TRUE(runTool("convert " + path("in.ppm") + " -colors 256 " + path("whole.gif")));
    const auto whole = bytesOf("whole.gif");
    ReadResult full = decodeGif(whole, allocator);
    ASSERT_TRUE(full.ok());
    const auto fullIndices = indicesOf(*full.image);
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        ReadResult part = decodeGif(std::span(whole).first(cut), allocator);
        if (!part.ok())
            continue;
        const auto indices = indicesOf(*part.image);
        const auto differ = std::mismatch(indices.begin(), indices.end(), fullIndices.begin());
        EXPECT_TRUE(std::all_of(differ.first, indices.end(), [](std::uint8_t v) { return v == 0; })) << cut;
    }
    EXPECT_TRUE(decodeGif(std::span(whole).first(whole.size() - 40), allocator).ok());

    // Screen and image of 65535 x 65535 over a few bytes: refused by the block ceiling.
    std::vector<std::uint8_t> huge(whole.begin(), whole.end());
    const std::size_t descriptor = 13 + 768 + std::size_t(whole[13 + 768] == 0x21 ? 8 : 0);
    ASSERT_EQ(huge[descriptor], ',');
    for (const std::size_t offset : { std::size_t(6), std::size_t(8), descriptor + 5, descriptor + 7 })
        huge[offset] = huge[offset + 1] = 0xFF;
    EXPECT_EQ(decodeGif(huge, allocator).status, ReadStatus::NoImage);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "There is not enough memory.");
}

TEST_F(Gif, CorruptCodesStopTheImageWhereTheyStand)
{
    // Minimum code size 2, codes of 3 bits packed least significant bit first: clear (4), 1,
    // then 7 while the next free code is 6, then 1 again.
    const std::vector<std::uint8_t> file { 'G', 'I', 'F', '8', '7', 'a', 4, 0, 1, 0, 0x81, 0, 0, 0, 0, 0, 9, 9, 9, 20,
        20, 20, 30, 30, 30, ',', 0, 0, 0, 0, 4, 0, 1, 0, 0, 2, 2, 0xCC, 0x03, 0, ';' };
    ReadResult read = decodeGif(file, allocator);
    ASSERT_TRUE(read.ok()) << read.detail;
    EXPECT_EQ(read.image->bitsPerPixel(), 4);
    EXPECT_EQ(indicesOf(*read.image), (std::vector<std::uint8_t> { 1, 0, 0, 0 }));
}

TEST_F(Gif, SaveAsGifReducesTrueColourAndWritesIndexedImagesAsTheyAre)
{
    App app { host, Paths { dir.path(), dir.path(), dir.path(), dir.path() } };
    auto rgb = decodeWithImageMagick(path("in.ppm"), dir.path());
    ASSERT_TRUE(rgb);
    Image photo = std::move(Image::create(rgb->width, rgb->height, 24)).value();
    for (int y = 0; y < rgb->height; ++y)
        for (int x = 0; x < rgb->width; ++x)
            for (int c = 0; c < 3; ++c)
                photo.row(y)[3 * x + c] = rgb->at(x, y)[2 - c];
    ASSERT_EQ(writeImageFile(app.imageFiles(), kSaveTypeGif, photo, path("photo.gif")), WriteResult::Written);
    ReadResult reduced = readImageFile(app.imageFiles(), path("photo.gif"));
    ASSERT_TRUE(reduced.ok()) << reduced.detail;
    EXPECT_EQ(reduced.format, "GIF");
    EXPECT_EQ(reduced.image->bitsPerPixel(), 8);
    expectSameAsPeers("photo.gif", *reduced.image);
    // Error diffusion keeps the picture close to the original.
    const auto a = toRgb(*reduced.image);
    long total = 0;
    for (std::size_t i = 0; i < a.rgb.size(); ++i)
        total += std::abs(int(a.rgb[i]) - int(rgb->rgb[i]));
    EXPECT_LT(total / long(a.rgb.size()), 8);

    build("local.gif", kLocalTableSpec);
    ReadResult indexed = readGifFile(path("local.gif"), allocator);
    ASSERT_TRUE(indexed.ok());
    ASSERT_EQ(writeImageFile(app.imageFiles(), kSaveTypeGif, *indexed.image, path("again.gif")), WriteResult::Written);
    ReadResult again = readGifFile(path("again.gif"), allocator);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again.image->colorCount(), 16);
    EXPECT_EQ(indicesOf(*again.image), indicesOf(*indexed.image));
    EXPECT_EQ(again.image->color(3), indexed.image->color(3));
    EXPECT_EQ(again.image->color(4), (Rgbq {}));

    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(writeGifFile(path("direct.gif"), photo, host), WriteResult::Reported);
    EXPECT_FALSE(std::filesystem::exists(dir / "direct.gif"));
    EXPECT_EQ(writeGifFile("/nonexistent-folder/a.gif", *indexed.image, host), WriteResult::WriteError);
    Image wide = std::move(Image::create(65536, 1, 1)).value();
    EXPECT_EQ(writeGifFile(path("wide.gif"), wide, host), WriteResult::Reported);
    EXPECT_FALSE(std::filesystem::exists(dir / "wide.gif"));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].text, "GIF file is not available for 24-bit true color image.");
    EXPECT_EQ(host.messages[1].text, "A GIF file cannot hold an image wider or taller than 65535 pixels.");
}
