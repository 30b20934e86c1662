#include "codecs/BmpReader.h"

#include "CodecTestSupport.h"
#include "FakeHost.h"
#include "TempDir.h"
#include "base/ByteReader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

using namespace gp;
using namespace gp::test;

namespace {

struct BmpReading : ::testing::Test {
    FakeHost host;
    Allocator allocator { host, std::size_t(64) << 20 };

    ReadResult decode(const std::vector<std::uint8_t>& bytes) { return decodeBmp(bytes, allocator); }
};

// Builds a bitmap file by hand for the cases no tool writes.
struct BmpBytes {
    std::vector<std::uint8_t> bytes;

    void u8(int v) { bytes.push_back(std::uint8_t(v)); }
    void u16(int v)
    {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(std::uint32_t v)
    {
        u16(int(v & 0xFFFF));
        u16(int(v >> 16));
    }
    void fileHeader(std::uint32_t offBits) { u8('B'), u8('M'), u32(0), u16(0), u16(0), u32(offBits); }
    void infoHeader(int width, int height, int bits, std::uint32_t compression, std::uint32_t clrUsed = 0,
        std::uint32_t sizeImage = 0)
    {
        u32(40), u32(std::uint32_t(width)), u32(std::uint32_t(height)), u16(1), u16(bits), u32(compression);
        u32(sizeImage), u32(2835), u32(2835), u32(clrUsed), u32(0);
    }
    void grayTable(int count)
    {
        for (int i = 0; i < count; ++i)
            u8(i), u8(i), u8(i), u8(0);
    }
};

const std::map<std::string, std::string>& referenceOf()
{
    static const std::map<std::string, std::string> table = { { "pal1", "pal1" }, { "pal1bg", "pal1bg" },
        { "pal1wb", "pal1" }, { "pal4", "pal4" }, { "pal4gs", "pal4gs" }, { "pal4rle", "pal4" }, { "pal8-0", "pal8" },
        { "pal8", "pal8" }, { "pal8gs", "pal8gs" }, { "pal8nonsquare", "pal8nonsquare-e" }, { "pal8os2", "pal8" },
        { "pal8rle", "pal8" }, { "pal8topdown", "pal8" }, { "pal8v4", "pal8" }, { "pal8v5", "pal8" },
        { "pal8w124", "pal8w124" }, { "pal8w125", "pal8w125" }, { "pal8w126", "pal8w126" },
        { "rgb16-565", "rgb16-565" }, { "rgb16-565pal", "rgb16-565" }, { "rgb16", "rgb16" }, { "rgb16bfdef", "rgb16" },
        { "rgb24", "rgb24" }, { "rgb24pal", "rgb24" }, { "rgb32", "rgb24" }, { "rgb32bf", "rgb24" },
        { "rgb32bfdef", "rgb24" } };
    return table;
}

} // namespace

TEST_F(BmpReading, EveryGoodConformanceFileMatchesItsReference)
{
    GLIMMER_REQUIRE_TOOLS("convert");
    TempDir work;
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(fixture("bmp/g"))) {
        const std::string name = entry.path().stem().string();
        SCOPED_TRACE(name);
        ASSERT_TRUE(referenceOf().count(name)) << "no reference for " << name;
        ReadResult result = readBmpFile(entry.path().string(), allocator);
        ASSERT_EQ(result.status, ReadStatus::Read) << result.detail;
        auto reference
            = decodeWithImageMagick(fixture("bmp/reference/" + referenceOf().at(name) + ".png"), work.path());
        ASSERT_TRUE(reference);
        EXPECT_EQ(countDifferences(toRgb(*result.image), *reference), 0);
        ++checked;
    }
    EXPECT_EQ(checked, 27);
    EXPECT_TRUE(host.messages.empty());
}

// The run-length files whose delta escapes skip pixels and whose data ends early: the pixels the
// pen passes over keep palette entry 0, as the "-0" renderings show them.
TEST_F(BmpReading, RunLengthDeltaAndEarlyEndMatchTheirReferences)
{
    GLIMMER_REQUIRE_TOOLS("convert");
    TempDir work;
    for (const char* name : { "pal4rletrns", "pal8rletrns", "pal4rlecut", "pal8rlecut" }) {
        SCOPED_TRACE(name);
        ReadResult result = readBmpFile(fixture(std::string("bmp/q/") + name + ".bmp").string(), allocator);
        ASSERT_EQ(result.status, ReadStatus::Read) << result.detail;
        auto reference = decodeWithImageMagick(fixture(std::string("bmp/reference/") + name + "-0.png"), work.path());
        ASSERT_TRUE(reference);
        EXPECT_EQ(countDifferences(toRgb(*result.image), *reference), 0);
    }
}

TEST_F(BmpReading, DeeperPixelsAreWidenedTo24BitAndTopDownFilesTurned)
{
    ReadResult rgb32 = readBmpFile(fixture("bmp/g/rgb32bf.bmp").string(), allocator);
    ASSERT_TRUE(rgb32.ok());
    EXPECT_EQ(rgb32.image->bitsPerPixel(), 24);
    EXPECT_EQ(rgb32.image->colorCount(), 0);

    ReadResult topDown = readBmpFile(fixture("bmp/g/pal8topdown.bmp").string(), allocator);
    ReadResult bottomUp = readBmpFile(fixture("bmp/g/pal8.bmp").string(), allocator);
    ASSERT_TRUE(topDown.ok() && bottomUp.ok());
    EXPECT_GT(topDown.image->height(), 0);
    EXPECT_EQ(countDifferences(toRgb(*topDown.image), toRgb(*bottomUp.image)), 0);
}

TEST_F(BmpReading, QuestionableAndBadFilesNeverCrashAndGiveConsistentImages)
{
    for (const char* folder : { "bmp/b", "bmp/q" })
        for (const auto& entry : std::filesystem::directory_iterator(fixture(folder))) {
            SCOPED_TRACE(entry.path().string());
            ReadResult result = readBmpFile(entry.path().string(), allocator);
            if (result.ok()) {
                EXPECT_GT(result.image->width(), 0);
                EXPECT_EQ(result.image->pixels().size(), result.image->rowSize() * result.image->height());
            } else {
                EXPECT_FALSE(result.image.has_value());
            }
        }
    // The huge plain file is refused before any block is taken, since its rows are not there.
    EXPECT_EQ(readBmpFile(fixture("bmp/b/reallybig.bmp").string(), allocator).status, ReadStatus::CannotRead);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(BmpReading, HugeRunLengthFileStopsAtTheAllocatorsCeiling)
{
    BmpBytes f;
    f.fileHeader(0);
    f.infoHeader(30000, 30000, 8, 1);
    f.grayTable(256);
    f.u8(0), f.u8(1);
    EXPECT_EQ(decode(f.bytes).status, ReadStatus::NoImage);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "There is not enough memory.");
    EXPECT_EQ(host.messages[0].caption, "Warning");
}

TEST_F(BmpReading, OsTwoCoreHeaderWidensItsThreeByteColourTable)
{
    BmpBytes f;
    f.fileHeader(14 + 12 + 6);
    f.u32(12), f.u16(3), f.u16(1), f.u16(1), f.u16(1);
    f.u8(10), f.u8(20), f.u8(30); // entry 0: blue, green, red
    f.u8(200), f.u8(210), f.u8(220);
    f.u8(0b01000000), f.u8(0), f.u8(0), f.u8(0);
    ReadResult r = decode(f.bytes);
    ASSERT_TRUE(r.ok()) << r.detail;
    EXPECT_EQ(r.image->colorCount(), 2);
    EXPECT_EQ(r.image->color(0), (Rgbq { 10, 20, 30, 0 }));
    EXPECT_EQ(r.image->color(1), (Rgbq { 200, 210, 220, 0 }));
    EXPECT_EQ(r.image->row(0)[0], 0b01000000);
    EXPECT_EQ(r.image->xPelsPerMeter(), 0);
}

TEST_F(BmpReading, ShortColourTableReadsItsPixelsFromTheOffset)
{
    BmpBytes f;
    const std::uint32_t offBits = 14 + 40 + 16 * 4 + 6; // six junk bytes before the pixels
    f.fileHeader(offBits);
    f.infoHeader(2, 2, 8, 0, 16);
    f.grayTable(16);
    for (int i = 0; i < 6; ++i)
        f.u8(0xEE);
    f.u8(1), f.u8(2), f.u8(0), f.u8(0); // bottom row
    f.u8(3), f.u8(15), f.u8(0), f.u8(0);
    ReadResult r = decode(f.bytes);
    ASSERT_TRUE(r.ok()) << r.detail;
    EXPECT_EQ(r.image->colorCount(), 16);
    EXPECT_EQ(r.image->storedRow(0)[0], 1);
    EXPECT_EQ(r.image->row(0)[1], 15);
    EXPECT_EQ(r.image->xPelsPerMeter(), 2835);
}

TEST_F(BmpReading, RunLengthCodesFillRowsAndLeaveTheRestZero)
{
    BmpBytes f;
    f.fileHeader(14 + 40 + 256 * 4);
    f.infoHeader(4, 3, 8, 1, 0, 999);
    f.grayTable(256);
    f.u8(2), f.u8(7), f.u8(0), f.u8(3), f.u8(8), f.u8(9), f.u8(10), f.u8(0); // run, absolute run + pad
    f.u8(0), f.u8(0); // end of line
    f.u8(1), f.u8(5), f.u8(0), f.u8(1); // one pixel, end of bitmap
    f.u8(4), f.u8(99); // never reached
    ReadResult r = decode(f.bytes);
    ASSERT_TRUE(r.ok()) << r.detail;
    EXPECT_EQ(r.image->imageSize(), 12u);
    const std::uint8_t* bottom = r.image->storedRow(0);
    EXPECT_EQ(std::vector<int>(bottom, bottom + 4), (std::vector<int> { 7, 7, 8, 9 }));
    EXPECT_EQ(r.image->storedRow(1)[0], 5);
    EXPECT_EQ(r.image->storedRow(1)[1], 0);
    EXPECT_EQ(r.image->storedRow(2)[0], 0);
}

TEST_F(BmpReading, FourBitRunsOfOddLengthContinueWithTheNextNibble)
{
    BmpBytes f;
    f.fileHeader(14 + 40 + 16 * 4);
    f.infoHeader(6, 1, 4, 2);
    f.grayTable(16);
    f.u8(3), f.u8(0x12), f.u8(0), f.u8(3), f.u8(0xAB), f.u8(0xC0), f.u8(0), f.u8(1);
    ReadResult r = decode(f.bytes);
    ASSERT_TRUE(r.ok()) << r.detail;
    const std::uint8_t* row = r.image->storedRow(0);
    EXPECT_EQ(row[0], 0x12);
    EXPECT_EQ(row[1], 0x1A);
    EXPECT_EQ(row[2], 0xBC);
}

TEST_F(BmpReading, AnswersForForeignShortAndUnknownFiles)
{
    EXPECT_EQ(decode({ 'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0, 0, 0, 0 }).status, ReadStatus::NotThisFormat);
    EXPECT_EQ(decode({ 'B', 'M', 0, 0 }).status, ReadStatus::NoImage);
    EXPECT_EQ(readBmpFile("/nonexistent/a.bmp", allocator).status, ReadStatus::NotThisFormat);

    BmpBytes emptyCore; // a core header with no pixels is refused without a memory message
    emptyCore.fileHeader(0);
    emptyCore.u32(12), emptyCore.u16(0), emptyCore.u16(5), emptyCore.u16(1), emptyCore.u16(24);
    EXPECT_EQ(decode(emptyCore.bytes).status, ReadStatus::NoImage);

    BmpBytes header64;
    header64.fileHeader(0);
    header64.u32(64);
    header64.bytes.resize(200);
    EXPECT_EQ(decode(header64.bytes).status, ReadStatus::NoImage);

    BmpBytes jpegInside;
    jpegInside.fileHeader(54);
    jpegInside.infoHeader(2, 2, 24, 4);
    jpegInside.bytes.resize(100);
    EXPECT_EQ(decode(jpegInside.bytes).status, ReadStatus::NoImage);

    BmpBytes cut;
    cut.fileHeader(54);
    cut.infoHeader(4, 4, 24, 0);
    cut.bytes.resize(54 + 47); // one byte short of four 12-byte rows
    EXPECT_EQ(decode(cut.bytes).status, ReadStatus::CannotRead);

    BmpBytes sizeZero = cut;
    sizeZero.bytes.resize(54 + 48);
    ReadResult whole = decode(sizeZero.bytes);
    ASSERT_TRUE(whole.ok());
    EXPECT_EQ(whole.image->imageSize(), 48u);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(BmpReading, FilesOfTodaysToolsReadAsTheirPeersDecodeThem)
{
    GLIMMER_REQUIRE_TOOLS("convert", "ppmtobmp");
    TempDir work;
    const auto in = work / "in.ppm";
    ASSERT_TRUE(runTool("convert -size 37x23 -seed 5 plasma: -depth 8 ppm:" + in.string()));
    // ImageMagick writes the 124-byte header by default; netpbm writes the plain 40-byte one.
    const std::vector<std::pair<std::string, std::string>> makers = {
        { "v5.bmp", "convert " + in.string() + " BMP:" + (work / "v5.bmp").string() },
        { "pal.bmp", "convert " + in.string() + " -colors 50 -type Palette BMP3:" + (work / "pal.bmp").string() },
        { "gray.bmp",
            "convert " + in.string() + " -colorspace Gray -type Grayscale BMP3:" + (work / "gray.bmp").string() },
        { "rgb565.bmp",
            "convert " + in.string() + " -define bmp:subtype=RGB565 BMP:" + (work / "rgb565.bmp").string() },
        { "netpbm.bmp", "ppmtobmp " + in.string() + " > " + (work / "netpbm.bmp").string() + " 2>/dev/null" },
    };
    for (const auto& [name, command] : makers) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(runTool(command));
        ReadResult ours = readBmpFile((work / name).string(), allocator);
        ASSERT_TRUE(ours.ok()) << ours.detail;
        auto peer = decodeWithImageMagick(work / name, work.path());
        ASSERT_TRUE(peer);
        // Scaling 5- and 6-bit channels to 8 bits may round differently by one; the
        // conformance suite's references, which we match exactly, round to nearest.
        EXPECT_EQ(countDifferences(toRgb(*ours.image), *peer, name == "rgb565.bmp" ? 1 : 0), 0);
    }
}
