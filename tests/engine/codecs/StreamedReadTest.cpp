// The BMP, TGA and PCX readers take their rows from the file through a window instead of reading
// it whole. These tests make pictures large enough to cross the readers' bands and windows, with
// odd widths so rows carry padding, and check every byte against the picture written; they also
// check the byte sources themselves and that a cut file still answers cannot read.

#include "codecs/BmpReader.h"
#include "codecs/SourceStream.h"
#include "codecs/PcxReader.h"
#include "codecs/PcxRunLength.h"
#include "codecs/PcxWriter.h"
#include "codecs/TgaReader.h"
#include "codecs/TgaWriter.h"

#include "FakeHost.h"
#include "TempDir.h"
#include "base/ByteReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace gp;
using namespace gp::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void writeBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Noise with runs in it, so run-length coders make both literal and repeat packets.
void fillNoise(std::span<std::uint8_t> bytes, unsigned seed)
{
    std::mt19937 random(seed);
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t run = random() % 32 == 0 ? 1 + random() % 30 : 1;
        const auto value = std::uint8_t(random());
        for (std::size_t k = 0; k < run && i < bytes.size(); ++k)
            bytes[i++] = value;
    }
}

Image noiseImage(int width, int height, int bits, unsigned seed)
{
    Image image = std::move(Image::create(width, height, bits)).value();
    for (int i = 0; i < image.colorCount(); ++i)
        image.setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7), 0 });
    fillNoise(image.pixels(), seed);
    // The padding at the end of each row is zero in every image the readers make.
    const std::size_t used = (std::size_t(width) * std::size_t(bits) + 7) / 8;
    for (int y = 0; y < height; ++y)
        std::fill(image.row(y) + used, image.row(y) + image.rowSize(), std::uint8_t(0));
    return image;
}

// A BMP file with a 40-byte header holding the rows given, each padded; top-down when asked.
Bytes bmpFile(int width, int height, int bits, bool topDown, const std::vector<Bytes>& rows)
{
    const std::size_t rowSize = (std::size_t(width) * std::size_t(bits) + 31) / 32 * 4;
    Bytes file(54, 0);
    file[0] = 'B';
    file[1] = 'M';
    storeU32Le(&file[2], std::uint32_t(54 + rowSize * std::size_t(height)));
    storeU32Le(&file[10], 54);
    storeU32Le(&file[14], 40);
    storeU32Le(&file[18], std::uint32_t(width));
    storeU32Le(&file[22], std::uint32_t(topDown ? -height : height));
    storeU16Le(&file[26], 1);
    storeU16Le(&file[28], std::uint16_t(bits));
    for (const Bytes& row : rows) {
        file.insert(file.end(), row.begin(), row.end());
        file.resize(file.size() + rowSize - row.size(), 0);
    }
    return file;
}

struct StreamedRead : ::testing::Test {
    TempDir dir;
    FakeHost host;
    Allocator allocator { host };

    std::string path(const std::string& name) const { return (dir / name).string(); }
};

// Plain BMP rows: bottom-up 24-bit rows go into the picture in one read, top-down and 32-bit
// ones in bands of about a megabyte. Each picture spans more than one band.
TEST_F(StreamedRead, BmpRowsOfEveryLayoutArriveWhole)
{
    const int width = 1001, height = 350;
    std::vector<Bytes> rows32(height), rows24(height);
    for (int y = 0; y < height; ++y) {
        rows32[std::size_t(y)].resize(std::size_t(width) * 4);
        fillNoise(rows32[std::size_t(y)], unsigned(y));
        rows24[std::size_t(y)].resize(std::size_t(width) * 3);
        for (int x = 0; x < width; ++x)
            std::copy_n(&rows32[std::size_t(y)][std::size_t(x) * 4], 3, &rows24[std::size_t(y)][std::size_t(x) * 3]);
    }
    for (const int bits : { 24, 32 }) {
        for (const bool topDown : { false, true }) {
            SCOPED_TRACE(std::to_string(bits) + (topDown ? " bits, top-down" : " bits, bottom-up"));
            const Bytes file = bmpFile(width, height, bits, topDown, bits == 24 ? rows24 : rows32);
            writeBytes(path("in.bmp"), file);
            ReadResult fromFile = readBmpFile(path("in.bmp"), allocator);
            ReadResult fromMemory = decodeBmp(file, allocator);
            ASSERT_TRUE(fromFile.ok()) << fromFile.detail;
            ASSERT_TRUE(fromMemory.ok()) << fromMemory.detail;
            ASSERT_EQ(fromFile.image->bitsPerPixel(), 24);
            for (int i = 0; i < height; ++i) {
                // File row i is picture row i from the top when top-down, from the bottom otherwise.
                const std::uint8_t* row = fromFile.image->row(topDown ? i : height - 1 - i);
                ASSERT_TRUE(std::equal(rows24[std::size_t(i)].begin(), rows24[std::size_t(i)].end(), row))
                    << "row " << i;
            }
            EXPECT_TRUE(std::ranges::equal(fromFile.image->packed(), fromMemory.image->packed()));

            // One byte short of the last row: refused before reading, from the file as from memory.
            Bytes cut(file.begin(), file.end() - 1);
            writeBytes(path("cut.bmp"), cut);
            EXPECT_EQ(readBmpFile(path("cut.bmp"), allocator).status, ReadStatus::CannotRead);
            EXPECT_EQ(decodeBmp(cut, allocator).status, ReadStatus::CannotRead);
        }
    }
}

// TGA files of several depths, plain and run-length coded, bottom-up as the writer makes them,
// larger than the reader's window so packets cross its refills.
TEST_F(StreamedRead, TgaPlainAndRunLengthRowsReadBackAsWritten)
{
    for (const int bits : { 8, 24 }) {
        for (const int width : { 1001, 1000 }) {
            for (const bool compress : { false, true }) {
                SCOPED_TRACE(std::to_string(bits) + " bits, " + std::to_string(width) + (compress ? " wide, coded" : " wide"));
                const Image image = noiseImage(width, 700, bits, unsigned(bits + width));
                ASSERT_EQ(writeTgaFile(path("out.tga"), image, compress, host), WriteResult::Written);
                ReadResult back = readTgaFile(path("out.tga"), allocator);
                ASSERT_TRUE(back.ok()) << back.detail;
                ASSERT_EQ(back.image->bitsPerPixel(), bits);
                EXPECT_TRUE(std::ranges::equal(back.image->pixels(), image.pixels()));
                const Bytes file = fileBytes(path("out.tga"));
                ReadResult fromMemory = decodeTga(file, allocator);
                ASSERT_TRUE(fromMemory.ok());
                EXPECT_TRUE(std::ranges::equal(fromMemory.image->packed(), back.image->packed()));
            }
        }
    }
}

// Top-down 32-bit TGA rows are widened in bands; top-down 24-bit rows are read one by one
// straight into their places.
TEST_F(StreamedRead, TopDownTgaRowsLandInOrder)
{
    const int width = 777, height = 500;
    for (const int depth : { 24, 32 }) {
        SCOPED_TRACE(depth);
        Bytes file(18, 0);
        file[2] = 2;
        storeU16Le(&file[12], width);
        storeU16Le(&file[14], height);
        file[16] = std::uint8_t(depth);
        file[17] = 0x20;
        Bytes pixels(std::size_t(width) * height * std::size_t(depth / 8));
        fillNoise(pixels, unsigned(depth));
        file.insert(file.end(), pixels.begin(), pixels.end());
        writeBytes(path("td.tga"), file);
        ReadResult read = readTgaFile(path("td.tga"), allocator);
        ASSERT_TRUE(read.ok()) << read.detail;
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* src = pixels.data() + std::size_t(y) * width * std::size_t(depth / 8);
            const std::uint8_t* row = read.image->row(y);
            for (int x = 0; x < width; ++x)
                ASSERT_TRUE(std::equal(row + 3 * x, row + 3 * x + 3, src + std::size_t(x) * std::size_t(depth / 8)))
                    << "pixel " << x << ", " << y;
        }
    }
}

// A coded TGA cut in its last rows is found out when the packets run dry, through the window.
TEST_F(StreamedRead, CutRunLengthTgaSaysWhereThePacketsEnded)
{
    const Image image = noiseImage(901, 800, 24, 9);
    ASSERT_EQ(writeTgaFile(path("out.tga"), image, true, host), WriteResult::Written);
    Bytes file = fileBytes(path("out.tga"));
    file.resize(file.size() - 5000);
    writeBytes(path("cut.tga"), file);
    ReadResult cut = readTgaFile(path("cut.tga"), allocator);
    EXPECT_EQ(cut.status, ReadStatus::CannotRead);
    // The last few rows lack their packets; the rows before them were whole.
    const std::string said = "TGA: packets cut short at row ";
    ASSERT_EQ(cut.detail.substr(0, said.size()), said);
    const int row = std::stoi(cut.detail.substr(said.size()));
    EXPECT_GT(row, 700);
    EXPECT_LT(row, 800);
    EXPECT_EQ(decodeTga(file, allocator).detail, cut.detail);
}

TEST_F(StreamedRead, PcxPicturesLargerThanTheWindowReadBackAsWritten)
{
    for (const int bits : { 8, 24 }) {
        SCOPED_TRACE(bits);
        const Image image = noiseImage(1001, 2000, bits, unsigned(bits));
        ASSERT_EQ(writePcxFile(path("out.pcx"), image, host), WriteResult::Written);
        ReadResult back = readPcxFile(path("out.pcx"), allocator);
        ASSERT_TRUE(back.ok()) << back.detail;
        EXPECT_TRUE(std::ranges::equal(back.image->pixels(), image.pixels()));
        const Bytes file = fileBytes(path("out.pcx"));
        ASSERT_GT(file.size(), std::size_t(1) << 20);
        ReadResult fromMemory = decodePcx(file, allocator);
        ASSERT_TRUE(fromMemory.ok());
        EXPECT_TRUE(std::ranges::equal(fromMemory.image->packed(), back.image->packed()));

        Bytes cut(file.begin(), file.end() - (bits == 8 ? 769 + 3000 : 3000));
        if (bits == 8) // keep the palette at the end so only the lines are short
            cut.insert(cut.end(), file.end() - 769, file.end());
        writeBytes(path("cut.pcx"), cut);
        EXPECT_EQ(readPcxFile(path("cut.pcx"), allocator).status, ReadStatus::CannotRead);
    }
}

// Coded bytes handed one at a time decode exactly as in one piece, with a count and the byte it
// repeats falling in different pieces and runs going on into the next line.
TEST(PcxRunPieces, DecodeAsOneStream)
{
    Bytes plain(5000);
    fillNoise(plain, 21);
    for (std::size_t i = 0; i < plain.size(); i += 97)
        plain[i] = 0xC7; // high bytes that must be coded as runs of one
    Bytes coded;
    encodePcxRuns(plain, coded);
    coded.insert(coded.end(), { 0xC5, 0x11 }); // a run past the end of the data below

    PcxRunDecoder whole(coded);
    std::size_t next = 0;
    PcxRunDecoder pieces([&]() -> std::span<const std::uint8_t> {
        if (next >= coded.size())
            return {};
        return { coded.data() + next++, 1 };
    });
    for (const std::size_t lineSize : { std::size_t(333), std::size_t(1), std::size_t(4666) }) {
        Bytes a(lineSize), b(lineSize);
        EXPECT_EQ(whole.decode(a), pieces.decode(b));
        EXPECT_EQ(a, b);
    }
    Bytes rest(9), restPieces(9);
    EXPECT_FALSE(whole.decode(rest));
    EXPECT_FALSE(pieces.decode(restPieces));
    EXPECT_EQ(rest, restPieces);
    EXPECT_EQ(rest[0], 0x11);
    EXPECT_EQ(rest[5], 0);
}

TEST(SourceStreamWindow, FillsConsumesAndEndsWithTheRange)
{
    Bytes bytes(1000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = std::uint8_t(i * 7);
    MemoryByteSource source(bytes);
    SourceStream stream(source, 100, 900, 64);
    auto held = stream.fill(10);
    ASSERT_EQ(held.size(), 64u); // a whole window is read at once
    EXPECT_EQ(held[0], bytes[100]);
    stream.consume(60);
    held = stream.fill(200); // more than the window: it grows, keeping the 4 unread bytes
    ASSERT_EQ(held.size(), 200u);
    EXPECT_EQ(held[0], bytes[160]);
    EXPECT_EQ(held[199], bytes[359]);
    std::size_t total = 360;
    while (!(held = stream.next()).empty()) {
        EXPECT_EQ(held[0], bytes[total]);
        total += held.size();
    }
    EXPECT_EQ(total, 900u); // stops at the range's end, not the source's
    EXPECT_FALSE(stream.failed());
    // A range past the end of the source is empty.
    SourceStream beyond(source, 2000, 3000, 64);
    EXPECT_TRUE(beyond.fill(1).empty());
}

TEST_F(StreamedRead, ImageFilesAreRefusedWhenNotReadableOrTooLongAndCutFilesAreNoticed)
{
    EXPECT_EQ(openImageFile(path("missing"), 1000).error().kind, ErrorKind::Io);
    EXPECT_EQ(openImageFile(dir.path().string(), 1000).error().kind, ErrorKind::Io);
    // Under a ceiling of 0 bytes a file may have 64 KiB (headers) and no more.
    writeBytes(path("long"), Bytes(65537, 1));
    EXPECT_EQ(openImageFile(path("long"), 0).error().kind, ErrorKind::TooLarge);
    ASSERT_TRUE(openImageFile(path("long"), 1));
    auto file = openImageFile(path("long"), 1000);
    ASSERT_TRUE(file);
    SourceStream stream(*file, 0, file->size(), 1000);
    EXPECT_EQ(stream.fill(10).size(), 1000u);
    std::filesystem::resize_file(path("long"), 1500); // another program cuts the file short
    EXPECT_TRUE(stream.next().empty()); // the window's read fails rather than come back short
    EXPECT_TRUE(stream.failed());
    // A directory or a missing file given a BMP's name is not a BMP; a TGA or PCX cannot be read.
    EXPECT_EQ(readBmpFile(dir.path().string(), allocator).status, ReadStatus::NotThisFormat);
    EXPECT_EQ(readTgaFile(dir.path().string(), allocator).status, ReadStatus::CannotRead);
    EXPECT_EQ(readPcxFile(path("missing.pcx"), allocator).status, ReadStatus::CannotRead);
}

} // namespace
