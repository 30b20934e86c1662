// The FlashPix writer and reader: exact round trips of uncompressed tiles at awkward sizes, JPEG
// within its error, the stored structure, files from the format notes' writer and from Pillow's
// point of view, and hand-made files for PhotoYCC, opacity and damaged tile tables.

#include "CompoundFileReader.h"
#include "CompoundFileWriter.h"
#include "ExternalTools.h"
#include "FlashPixFormat.h"
#include "FlashPixReader.h"
#include "FlashPixWriter.h"
#include "PropertySet.h"
#include "RgbPicture.h"
#include "TempDir.h"
#include "base/ByteReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

namespace gp::test {
namespace {

using fpx::Raster;

constexpr std::size_t kLimit = std::size_t(1) << 30;

Raster makeRaster(int width, int height, int channels)
{
    Raster r;
    r.width = width;
    r.height = height;
    r.channels = channels;
    r.samples.resize(std::size_t(width) * std::size_t(height) * std::size_t(channels));
    // Gradients in different directions per channel and a flat patch with hard edges.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool patch = x > width / 4 && x < width / 2 && y > height / 4 && y < height / 2;
            const int values[3] = { x * 255 / width, y * 255 / height, (x + y) * 255 / (width + height) };
            for (int c = 0; c < channels; ++c)
                r.pixel(x, y)[c] = std::uint8_t(patch ? 200 - 60 * c : values[c]);
        }
    return r;
}

struct Difference {
    int worst = 0;
    double rms = 0;
};
Difference compare(const Raster& a, const Raster& b)
{
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.channels, b.channels);
    if (a.samples.size() != b.samples.size())
        return { 255, 255 };
    Difference d;
    double sum = 0;
    for (std::size_t i = 0; i < a.samples.size(); ++i) {
        const int e = std::abs(a.samples[i] - b.samples[i]);
        d.worst = std::max(d.worst, e);
        sum += double(e) * e;
    }
    d.rms = std::sqrt(sum / double(a.samples.size()));
    return d;
}

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}
std::vector<std::uint8_t> readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void writePnm(const std::filesystem::path& path, const Raster& r)
{
    std::string head
        = (r.channels == 3 ? "P6\n" : "P5\n") + std::to_string(r.width) + " " + std::to_string(r.height) + "\n255\n";
    std::vector<std::uint8_t> bytes(head.begin(), head.end());
    bytes.insert(bytes.end(), r.samples.begin(), r.samples.end());
    writeBytes(path, bytes);
}

// A picture decoded by ImageMagick as a three-channel raster.
std::optional<Raster> decodedRaster(const std::filesystem::path& path, const std::filesystem::path& workDir)
{
    auto picture = decodeWithImageMagick(path, workDir);
    if (!picture)
        return std::nullopt;
    Raster r;
    r.width = picture->width;
    r.height = picture->height;
    r.channels = 3;
    r.samples = std::move(picture->rgb);
    return r;
}

bool havePillow()
{
    return runTool("/usr/bin/python3 -c 'import PIL, olefile' >/dev/null");
}

TEST(FlashPix, UncompressedTilesRoundTripExactlyAtAnySize)
{
    const std::pair<int, int> sizes[] = { { 1, 1 }, { 63, 65 }, { 64, 64 }, { 300, 200 }, { 129, 700 } };
    for (auto [w, h] : sizes)
        for (int channels : { 1, 3 }) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + "x" + std::to_string(channels));
            Raster source = makeRaster(w, h, channels);
            source.dotsPerInch = 150;
            auto file = fpx::buildFlashPix(source, { fpx::TileCoding::Uncompressed, 0 });
            ASSERT_TRUE(file.ok());
            auto back = fpx::readFlashPix(*file, kLimit);
            ASSERT_TRUE(back.ok()) << back.error().message;
            EXPECT_EQ(compare(source, *back).worst, 0);
            EXPECT_NEAR(back->dotsPerInch, 150, 0.01);
        }
}

TEST(FlashPix, JpegTilesStayWithinTheCodingError)
{
    for (int channels : { 1, 3 }) {
        const Raster source = makeRaster(300, 200, channels);
        auto q90 = fpx::buildFlashPix(source, { fpx::TileCoding::Jpeg, 90 });
        auto q20 = fpx::buildFlashPix(source, { fpx::TileCoding::Jpeg, 20 });
        ASSERT_TRUE(q90.ok() && q20.ok());
        EXPECT_LT(q20->size(), q90->size());
        auto back = fpx::readFlashPix(*q90, kLimit);
        ASSERT_TRUE(back.ok()) << back.error().message;
        const Difference d = compare(source, *back);
        EXPECT_LT(d.rms, 4.0) << channels;
        EXPECT_EQ(back->dotsPerInch, 0); // none given, none stored
    }
}

TEST(FlashPix, EveryLevelIsStoredDownToOneTile)
{
    const Raster source = makeRaster(768, 512, 3);
    auto file = fpx::buildFlashPix(source, { fpx::TileCoding::Jpeg, 75 });
    ASSERT_TRUE(file.ok());
    auto reader = cfb::CompoundFileReader::open(*file);
    ASSERT_TRUE(reader.ok());
    EXPECT_EQ(reader->entry(0).classId, fpx::kImageViewClass);
    for (const auto& name : { fpx::kSummaryName, fpx::kGlobalInfoName, fpx::kDataObjectName })
        EXPECT_TRUE(reader->findChild(0, name)) << name;
    const auto store = reader->findChild(0, fpx::kImageStoreName);
    ASSERT_TRUE(store);
    EXPECT_EQ(reader->entry(*store).classId, fpx::kImageClass);
    auto contents = fpx::PropertySet::read(*reader->readStream(*reader->findChild(*store, fpx::kImageContentsName)));
    ASSERT_TRUE(contents.ok());
    EXPECT_EQ(contents->integer(fpx::kPropLevelCount), 5);
    ASSERT_TRUE(contents->blob(fpx::levelProperty(fpx::kPropJpegTables, 1)));

    const int widths[] = { 48, 96, 192, 384, 768 };
    for (int level = 0; level < 5; ++level) {
        SCOPED_TRACE(level);
        const auto storage = reader->findChild(*store, fpx::resolutionName(level));
        ASSERT_TRUE(storage);
        EXPECT_EQ(reader->entry(*storage).classId, fpx::kResolutionClass);
        EXPECT_EQ(contents->integer(fpx::levelProperty(fpx::kPropLevelWidth, level)), widths[level]);
        const auto header = *reader->readStream(*reader->findChild(*storage, fpx::kHeaderStreamName));
        const auto data = *reader->readStream(*reader->findChild(*storage, fpx::kDataStreamName));
        ASSERT_GE(header.size(), 28u + 36u);
        const std::uint8_t* fields = header.data() + 28;
        EXPECT_EQ(loadU32Le(fields), 36u);
        EXPECT_EQ(loadU32Le(fields + 4), std::uint32_t(widths[level]));
        EXPECT_EQ(loadU32Le(fields + 8), std::uint32_t(widths[level] * 2 / 3));
        const std::uint32_t tiles = loadU32Le(fields + 12);
        EXPECT_EQ(tiles, std::uint32_t(((widths[level] + 63) / 64) * ((widths[level] * 2 / 3 + 63) / 64)));
        EXPECT_EQ(loadU32Le(fields + 16), 64u);
        EXPECT_EQ(loadU32Le(fields + 32), 16u);
        ASSERT_EQ(header.size(), 28u + 36u + 16u * tiles);
        for (std::uint32_t t = 0; t < tiles; ++t) {
            const std::uint8_t* entry = header.data() + 28 + 36 + 16 * t;
            EXPECT_LE(std::uint64_t(loadU32Le(entry)) + loadU32Le(entry + 4), data.size() - 28);
            EXPECT_EQ(loadU32Le(entry + 8), 2u);
            EXPECT_EQ(loadU32Le(entry + 12), 0x01012200u);
        }
    }
}

TEST(FlashPix, PillowReadsWhatWeWrite)
{
    GLIMMER_REQUIRE(havePillow(), "python3-pil missing");
    TempDir dir;
    const Raster source = makeRaster(192, 128, 3);
    writePnm(dir / "source.ppm", source);
    writeBytes(dir / "raw.fpx", *fpx::buildFlashPix(source, { fpx::TileCoding::Uncompressed, 0 }));
    writeBytes(dir / "q90.fpx", *fpx::buildFlashPix(source, { fpx::TileCoding::Jpeg, 90 }));
    writeFile(dir / "diff.py",
        "import sys\n"
        "from PIL import Image, ImageChops, ImageStat\n"
        "a=Image.open(sys.argv[1]); a.load(); b=Image.open(sys.argv[2]).convert('RGB')\n"
        "d=ImageChops.difference(a.convert('RGB'),b)\n"
        "print(a.size[0], a.size[1], max(e[1] for e in d.getextrema()), "
        "round(max(ImageStat.Stat(d).rms),3))\n");
    for (const char* name : { "raw.fpx", "q90.fpx" }) {
        SCOPED_TRACE(name);
        const auto out = dir / (std::string(name) + ".txt");
        ASSERT_TRUE(runTool("/usr/bin/python3 '" + (dir / "diff.py").string() + "' '" + (dir / name).string() + "' '"
            + (dir / "source.ppm").string() + "' > '" + out.string() + "'"));
        std::istringstream result(readFile(out));
        int width = 0, height = 0, worst = 0;
        double rms = 0;
        result >> width >> height >> worst >> rms;
        EXPECT_EQ(width, 192);
        EXPECT_EQ(height, 128);
        if (std::string(name) == "raw.fpx")
            EXPECT_EQ(worst, 0);
        else
            EXPECT_LT(rms, 4.0);
    }
}

TEST(FlashPix, StructureListsLikeAnyCompoundFile)
{
    GLIMMER_REQUIRE(runTool("gsf --help >/dev/null"), "gsf (libgsf-bin) missing");
    TempDir dir;
    writeBytes(dir / "a.fpx", *fpx::buildFlashPix(makeRaster(200, 100, 3), { fpx::TileCoding::Jpeg, 90 }));
    ASSERT_TRUE(runTool("gsf list '" + (dir / "a.fpx").string() + "' > '" + (dir / "list.txt").string() + "'"));
    const std::string listing = readFile(dir / "list.txt");
    EXPECT_NE(listing.find("Data Object Store 000001/Resolution 0002/Subimage 0000 Data"), std::string::npos)
        << listing;
    EXPECT_NE(listing.find("Data Object Store 000001/Resolution 0000/Subimage 0000 Header"), std::string::npos);
    EXPECT_EQ(listing.find("Resolution 0003"), std::string::npos);
}

TEST(FlashPix, ReadsTheFormatToolsFiles)
{
    const std::string tools = GLIMMER_FORMAT_TOOLS_DIR;
    GLIMMER_REQUIRE(!tools.empty() && havePillow() && runTool("convert -version >/dev/null"), "format tools, Pillow or ImageMagick missing");
    TempDir dir;
    const auto png = (dir / "in.png").string();
    ASSERT_TRUE(runTool("convert -size 200x150 gradient:orange-purple -fill white -draw 'rectangle 0,0 130,70' -depth 8 '"
        + png + "'"));
    const auto source = decodedRaster(png, dir.path());
    ASSERT_TRUE(source);
    const std::pair<const char*, const char*> variants[] = { { "raw.fpx", "raw" },
        { "single.fpx", "raw --single-color" }, { "q90.fpx", "90" }, { "tiles.fpx", "90 --per-tile-tables" } };
    for (auto [name, options] : variants) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(runTool(
            "/usr/bin/python3 '" + tools + "/fpx_write.py' '" + png + "' '" + (dir / name).string() + "' " + options));
        auto read = fpx::readFlashPix(readBytes(dir / name), kLimit);
        ASSERT_TRUE(read.ok()) << read.error().message;
        const Difference d = compare(*source, *read);
        if (std::string(options).starts_with("raw"))
            EXPECT_EQ(d.worst, 0);
        else
            EXPECT_LT(d.rms, 4.0);
        EXPECT_NEAR(read->dotsPerInch, 200, 0.01);
    }
}

// A hand-made one-level FlashPix file for the cases our writer never makes.
struct HandMade {
    std::vector<std::uint32_t> channelCodes;
    std::vector<std::uint8_t> data; // tile data, after the stream header
    std::vector<std::array<std::uint32_t, 4>> entries; // offset, size, compression, subtype
    int width = 64, height = 64;
    cfb::ClassId rootClass = fpx::kImageClass;

    std::vector<std::uint8_t> build() const
    {
        fpx::PropertySet contents;
        contents.setInteger(fpx::kPropLevelCount, fpx::kTypeUI4, 1);
        contents.setInteger(fpx::levelProperty(fpx::kPropLevelWidth, 0), fpx::kTypeUI4, width);
        contents.setInteger(fpx::levelProperty(fpx::kPropLevelHeight, 0), fpx::kTypeUI4, height);
        std::vector<std::uint8_t> color(8 + 4 * channelCodes.size());
        storeU32Le(color.data(), 1);
        storeU32Le(color.data() + 4, std::uint32_t(channelCodes.size()));
        for (std::size_t i = 0; i < channelCodes.size(); ++i)
            storeU32Le(color.data() + 8 + 4 * i, channelCodes[i]);
        contents.setBlob(fpx::levelProperty(fpx::kPropLevelColor, 0), color);
        std::vector<std::uint8_t> header(28 + 36 + 16 * entries.size());
        const std::uint32_t fields[9] = { 36, std::uint32_t(width), std::uint32_t(height),
            std::uint32_t(entries.size()), 64, 64, std::uint32_t(channelCodes.size()), 36, 16 };
        for (int i = 0; i < 9; ++i)
            storeU32Le(header.data() + 28 + 4 * i, fields[i]);
        for (std::size_t t = 0; t < entries.size(); ++t)
            for (int i = 0; i < 4; ++i)
                storeU32Le(header.data() + 64 + 16 * t + 4 * std::size_t(i), entries[t][std::size_t(i)]);
        std::vector<std::uint8_t> dataStream(28);
        dataStream.insert(dataStream.end(), data.begin(), data.end());
        std::vector<cfb::Node> image { cfb::Node::stream(
                                           fpx::kImageContentsName, contents.write(fpx::kImageContentsFormat)),
            cfb::Node::storage(fpx::resolutionName(0), fpx::kResolutionClass,
                { cfb::Node::stream(fpx::kHeaderStreamName, header),
                    cfb::Node::stream(fpx::kDataStreamName, dataStream) }) };
        return *cfb::writeCompoundFile(cfb::Node::storage("Root Entry", rootClass, std::move(image)));
    }
};

TEST(FlashPix, PhotoYccAndOpacityChannelsAreRead)
{
    HandMade ycc;
    ycc.channelCodes = { 0x00020000, 0x00020001, 0x00020002, 0x00027FFE };
    for (int i = 0; i < 64 * 64; ++i)
        ycc.data.insert(ycc.data.end(), { 100, 156, 137, 7 }); // neutral: gray 136 with opacity 7
    ycc.entries = { { 0, std::uint32_t(ycc.data.size()), fpx::kTileUncompressed, 0 } };
    auto raster = fpx::readFlashPix(ycc.build(), kLimit);
    ASSERT_TRUE(raster.ok()) << raster.error().message;
    ASSERT_EQ(raster->channels, 3);
    EXPECT_EQ(raster->pixel(10, 10)[0], 136);
    EXPECT_EQ(raster->pixel(63, 63)[2], 136);

    HandMade mono;
    mono.channelCodes = { 0x00010000 };
    mono.width = 100; // two tiles across, one a single colour
    mono.data.assign(64 * 64, 33);
    mono.entries = { { 0, 4096, fpx::kTileUncompressed, 0 }, { 0, 0, fpx::kTileSingleColor, 0x000000C8 } };
    auto gray = fpx::readFlashPix(mono.build(), kLimit);
    ASSERT_TRUE(gray.ok()) << gray.error().message;
    ASSERT_EQ(gray->channels, 1);
    EXPECT_EQ(gray->pixel(63, 5)[0], 33);
    EXPECT_EQ(gray->pixel(64, 5)[0], 200);
    EXPECT_EQ(gray->pixel(99, 63)[0], 200);
}

TEST(FlashPix, DamagedFilesAreRefused)
{
    HandMade base;
    base.channelCodes = { 0x00030000, 0x00030001, 0x00030002 };
    base.data.assign(64 * 64 * 3, 9);
    base.entries = { { 0, 64 * 64 * 3, fpx::kTileUncompressed, 0 } };
    ASSERT_TRUE(fpx::readFlashPix(base.build(), kLimit).ok());

    auto outside = base;
    outside.entries[0][0] = 100; // the tile runs past the data stream
    EXPECT_EQ(fpx::readFlashPix(outside.build(), kLimit).error().kind, ErrorKind::Truncated);
    auto wrapping = base;
    wrapping.entries[0] = { 0xFFFFFFF0, 0x20, fpx::kTileUncompressed, 0 };
    EXPECT_EQ(fpx::readFlashPix(wrapping.build(), kLimit).error().kind, ErrorKind::Truncated);
    auto shortTile = base;
    shortTile.entries[0][1] = 100;
    EXPECT_EQ(fpx::readFlashPix(shortTile.build(), kLimit).error().kind, ErrorKind::Truncated);
    auto badJpeg = base;
    badJpeg.entries[0] = { 0, 500, fpx::kTileJpeg, 0x00012200 };
    EXPECT_EQ(fpx::readFlashPix(badJpeg.build(), kLimit).error().kind, ErrorKind::Malformed);
    auto missingTables = base;
    missingTables.entries[0] = { 0, 500, fpx::kTileJpeg, 0x05012200 };
    EXPECT_EQ(fpx::readFlashPix(missingTables.build(), kLimit).error().kind, ErrorKind::Malformed);
    auto unknownKind = base;
    unknownKind.entries[0][2] = 7;
    EXPECT_EQ(fpx::readFlashPix(unknownKind.build(), kLimit).error().kind, ErrorKind::Unsupported);
    auto tooFewTiles = base;
    tooFewTiles.width = 65;
    EXPECT_EQ(fpx::readFlashPix(tooFewTiles.build(), kLimit).error().kind, ErrorKind::Malformed);
    auto otherRoot = base;
    otherRoot.rootClass = cfb::ClassId {};
    EXPECT_EQ(fpx::readFlashPix(otherRoot.build(), kLimit).error().kind, ErrorKind::Malformed);
    auto mixedSpaces = base;
    mixedSpaces.channelCodes[1] = 0x00020001;
    EXPECT_FALSE(fpx::readFlashPix(mixedSpaces.build(), kLimit).ok());
    EXPECT_EQ(fpx::readFlashPix(base.build(), 1000).error().kind, ErrorKind::TooLarge);

    // Every cut of a real file fails or reads, never more.
    const auto file = *fpx::buildFlashPix(makeRaster(100, 70, 3), { fpx::TileCoding::Jpeg, 50 });
    for (std::size_t cut = 0; cut < file.size(); cut += 509)
        (void)fpx::readFlashPix(std::span(file).first(cut), kLimit);
}

} // namespace
} // namespace gp::test
