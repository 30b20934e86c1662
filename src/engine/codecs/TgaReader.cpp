#include "codecs/TgaReader.h"

#include "base/ByteReader.h"
#include "codecs/TgaRunLength.h"
#include "codecs/SourceStream.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace gp {

namespace {

constexpr std::size_t kHeaderSize = 18;
constexpr int kColorMapped = 1, kTrueColor = 2, kGrayscale = 3;
constexpr int kRunLengthFlag = 8;
// Rows that need converting, and run-length packets, are read in pieces of about this size.
constexpr std::size_t kBandBytes = std::size_t(1) << 20;

struct TgaHeader {
    std::size_t idLength = 0;
    int colorMapType = 0;
    int imageType = 0;
    int mapFirst = 0;
    int mapLength = 0;
    int mapEntryBits = 0;
    int width = 0;
    int height = 0;
    int depth = 0;
    bool topDown = false;

    int kind() const { return imageType & ~kRunLengthFlag; }
    bool runLength() const { return (imageType & kRunLengthFlag) != 0; }
};

TgaHeader parseHeader(std::span<const std::uint8_t> header)
{
    const std::uint8_t* p = header.data();
    TgaHeader h;
    h.idLength = p[0];
    h.colorMapType = p[1];
    h.imageType = p[2];
    h.mapFirst = loadU16Le(p + 3);
    h.mapLength = loadU16Le(p + 5);
    h.mapEntryBits = p[7];
    h.width = loadU16Le(p + 12);
    h.height = loadU16Le(p + 14);
    h.depth = p[16];
    h.topDown = (p[17] & 0x20) != 0;
    return h;
}

bool knownMapEntry(int bits)
{
    return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

// Whether this reader takes the type and depth; the run-length forms take whole-byte pixels only,
// and true colour only at 24 bits.
bool readable(const TgaHeader& h)
{
    if (h.imageType != 1 && h.imageType != 2 && h.imageType != 3 && h.imageType != 9 && h.imageType != 10
        && h.imageType != 11)
        return false;
    switch (h.kind()) {
    case kColorMapped:
        return h.colorMapType == 1 && knownMapEntry(h.mapEntryBits) && h.mapLength > 0 && (h.depth == 8 || h.depth == 4)
            && h.mapFirst < (1 << h.depth);
    case kTrueColor:
        return h.runLength() ? h.depth == 24 : h.depth == 15 || h.depth == 16 || h.depth == 24 || h.depth == 32;
    default: return h.depth == 8 || h.depth == 1;
    }
}

int imageBits(const TgaHeader& h)
{
    return h.depth > 8 ? 24 : h.depth;
}

// A 5-bit value widened so that 31 becomes 255.
std::uint8_t widen5(unsigned v)
{
    return std::uint8_t(v * 8 + v / 4);
}

Rgbq fromWord(std::uint16_t word)
{
    return Rgbq { widen5(word & 31u), widen5((word >> 5) & 31u), widen5((word >> 10) & 31u), 0 };
}

// Puts the colour map's entries into the image's table; entries fall at their index from the
// first one.
void readColorMap(std::span<const std::uint8_t> map, const TgaHeader& h, Image& image)
{
    const std::size_t entrySize = std::size_t(h.mapEntryBits + 7) / 8;
    for (int i = 0; i < h.mapLength && h.mapFirst + i < image.colorCount(); ++i) {
        const std::uint8_t* e = map.data() + entrySize * std::size_t(i);
        const Rgbq color = entrySize == 2 ? fromWord(loadU16Le(e)) : Rgbq { e[0], e[1], e[2], 0 };
        image.setColor(h.mapFirst + i, color);
    }
}

void fillTableForKind(const TgaHeader& h, Image& image)
{
    if (h.kind() != kGrayscale)
        return;
    const int colors = image.colorCount();
    for (int i = 0; i < colors; ++i) {
        const auto level = std::uint8_t(i * 255 / (colors - 1));
        image.setColor(i, Rgbq { level, level, level, 0 });
    }
}

// Turns one row as stored in the file into an image row.
void storeRow(const std::uint8_t* src, const TgaHeader& h, std::size_t rowBytes, std::uint8_t* dst)
{
    switch (h.depth) {
    case 15:
    case 16:
        for (int x = 0; x < h.width; ++x, dst += 3) {
            const Rgbq c = fromWord(loadU16Le(src + 2 * x));
            dst[0] = c.blue;
            dst[1] = c.green;
            dst[2] = c.red;
        }
        return;
    case 32:
        for (int x = 0; x < h.width; ++x, dst += 3, src += 4) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
        }
        return;
    default: std::memcpy(dst, src, rowBytes); return;
    }
}

std::uint8_t* destinationRow(const TgaHeader& h, Image& image, int i)
{
    return h.topDown ? image.row(i) : image.storedRow(i);
}

// Reads plain rows. Whole-byte rows of 8 and 24 bits (and packed 1-bit ones) have the image's
// layout but for its padding: a bottom-up file without padding is read into the picture in one
// piece, any other row by itself straight into its place. Rows that need widening come in bands
// through a buffer. The caller has checked that every row is there.
bool readPlainRows(const ByteSource& file, std::uint64_t pixelStart, const TgaHeader& h, std::size_t rowBytes,
    Image& image)
{
    const bool widened = h.depth == 15 || h.depth == 16 || h.depth == 32;
    if (!widened) {
        if (!h.topDown && rowBytes == image.rowSize())
            return file.readAt(pixelStart, image.pixels());
        for (int i = 0; i < h.height; ++i)
            if (!file.readAt(pixelStart + std::uint64_t(i) * rowBytes, { destinationRow(h, image, i), rowBytes }))
                return false;
        return true;
    }
    const int bandRows = int(std::clamp<std::size_t>(kBandBytes / rowBytes, 1, std::size_t(h.height)));
    std::vector<std::uint8_t> band(rowBytes * std::size_t(bandRows));
    for (int first = 0; first < h.height; first += bandRows) {
        const int rows = std::min(bandRows, h.height - first);
        if (!file.readAt(pixelStart + std::uint64_t(first) * rowBytes, { band.data(), rowBytes * std::size_t(rows) }))
            return false;
        for (int r = 0; r < rows; ++r)
            storeRow(band.data() + std::size_t(r) * rowBytes, h, rowBytes, destinationRow(h, image, first + r));
    }
    return true;
}

// Decodes run-length rows read through a window of the file. A row's packets take at most one
// header byte and one pixel per pixel, and the last packet may reach 128 pixels past the row's
// end, so a window topped up to that many bytes holds the whole of the next row's packets
// unless the file ends first. Answers how many rows were whole before the packets ran out.
int readCodedRows(const ByteSource& file, std::uint64_t pixelStart, const TgaHeader& h, std::size_t pixelSize,
    std::size_t rowBytes, Image& image)
{
    const std::size_t mostRowBytes = rowBytes * (1 + pixelSize) + 128 * pixelSize + 1;
    SourceStream coded(file, pixelStart, file.size(), std::max(kBandBytes, 2 * mostRowBytes));
    std::vector<std::uint8_t> decoded(rowBytes);
    for (int i = 0; i < h.height; ++i) {
        ByteReader in(coded.fill(mostRowBytes));
        if (!decodeTgaRow(in, pixelSize, decoded))
            return i;
        coded.consume(in.position());
        storeRow(decoded.data(), h, rowBytes, destinationRow(h, image, i));
    }
    return h.height;
}

} // namespace

ReadResult decodeTga(const ByteSource& file, const Allocator& allocator)
{
    std::vector<std::uint8_t> headerBuffer;
    auto header = file.view(0, kHeaderSize, headerBuffer);
    if (!header)
        return ReadResult::notThisFormat("shorter than a TGA header");
    const TgaHeader h = parseHeader(*header);
    if (h.colorMapType > 1)
        return ReadResult::notThisFormat("TGA: colour map type " + std::to_string(h.colorMapType));
    if (!readable(h)) {
        allocator.host().message(text(StringId::CaptionWarning), text(StringId::UnknownFileFormat), Icon::Warning);
        return ReadResult::noImage(
            "TGA: image type " + std::to_string(h.imageType) + " at " + std::to_string(h.depth) + " bits");
    }
    if (h.width == 0 || h.height == 0)
        return ReadResult::noImage("TGA: empty picture");

    const std::uint64_t mapStart = kHeaderSize + h.idLength;
    if (mapStart > file.size())
        return ReadResult::cannotRead("TGA: image ID cut short");
    const std::size_t mapBytes
        = h.colorMapType == 1 ? std::size_t(h.mapEntryBits + 7) / 8 * std::size_t(h.mapLength) : 0;
    if (mapBytes > file.size() - mapStart)
        return ReadResult::cannotRead("TGA: colour map cut short");

    // Enough pixel data must follow for every row before a block is taken for them: all of a
    // plain row, or for run-length rows at least one packet per 128 pixels.
    const std::size_t pixelSize = std::size_t(h.depth + 7) / 8;
    // Pixels below 8 bits are packed; 15-bit ones take two bytes like 16-bit ones.
    const std::size_t rowBytes
        = h.depth < 8 ? (std::size_t(h.width) * std::size_t(h.depth) + 7) / 8 : std::size_t(h.width) * pixelSize;
    const std::uint64_t pixelStart = mapStart + mapBytes;
    const std::uint64_t available = file.size() - pixelStart;
    const std::size_t leastRowBytes = h.runLength() ? (rowBytes / pixelSize + 127) / 128 * (1 + pixelSize) : rowBytes;
    if (available / leastRowBytes < std::size_t(h.height))
        return ReadResult::cannotRead("TGA: pixel data cut short");

    const int bits = imageBits(h);
    const int colors = h.kind() == kColorMapped ? std::min(h.mapFirst + h.mapLength, 1 << bits)
        : bits == 24                            ? 0
                                                : 1 << bits;
    auto image = allocator.image(h.width, h.height, bits, colors, "Warning");
    if (!image)
        return ReadResult::noImage("TGA: not enough memory");
    fillTableForKind(h, *image);
    if (h.kind() == kColorMapped) {
        std::vector<std::uint8_t> mapBuffer;
        auto map = file.view(mapStart, mapBytes, mapBuffer);
        if (!map)
            return ReadResult::cannotRead("TGA: colour map cut short");
        readColorMap(*map, h, *image);
    }

    if (h.runLength()) {
        const int rows = readCodedRows(file, pixelStart, h, pixelSize, rowBytes, *image);
        if (rows < h.height)
            return ReadResult::cannotRead("TGA: packets cut short at row " + std::to_string(rows));
    } else if (!readPlainRows(file, pixelStart, h, rowBytes, *image)) {
        return ReadResult::cannotRead("TGA: pixel data cut short");
    }
    return ReadResult::read(std::move(*image));
}

ReadResult decodeTga(std::span<const std::uint8_t> bytes, const Allocator& allocator)
{
    MemoryByteSource source(bytes);
    return decodeTga(source, allocator);
}

ReadResult readTgaFile(const std::string& path, const Allocator& allocator)
{
    return readImageFileFrom(path, allocator, decodeTga);
}

} // namespace gp
