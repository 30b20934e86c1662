#include "codecs/PcxReader.h"

#include "base/ByteReader.h"
#include "codecs/PcxRunLength.h"
#include "codecs/SourceStream.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <cstring>
#include <vector>

namespace gp {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteSize = 769; // the marker 12, then 256 × (red, green, blue)
constexpr std::uint8_t kPaletteMarker = 12;
// Coded bytes are read in pieces of this size.
constexpr std::size_t kCodedWindow = std::size_t(1) << 20;

struct PcxHeader {
    int bitsPerPlane = 0;
    int planes = 0;
    int width = 0;
    int height = 0;
    std::size_t bytesPerLine = 0;
    bool grayscale = false;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    const std::uint8_t* headerPalette = nullptr; // 16 × (red, green, blue)
};

PcxHeader parseHeader(std::span<const std::uint8_t> header)
{
    const std::uint8_t* p = header.data();
    PcxHeader h;
    h.bitsPerPlane = p[3];
    h.width = int(loadU16Le(p + 8)) - int(loadU16Le(p + 4)) + 1;
    h.height = int(loadU16Le(p + 10)) - int(loadU16Le(p + 6)) + 1;
    h.xPelsPerMeter = std::int32_t(loadU16Le(p + 12)) * 3937 / 100;
    h.yPelsPerMeter = std::int32_t(loadU16Le(p + 14)) * 3937 / 100;
    h.headerPalette = p + 16;
    h.planes = p[65];
    h.bytesPerLine = loadU16Le(p + 66);
    h.grayscale = loadU16Le(p + 68) == 2;
    return h;
}

// The image depth of a plane layout, or 0 for one this reader does not know.
int imageBits(const PcxHeader& h)
{
    if (h.bitsPerPlane == 1 && (h.planes == 1 || h.planes == 4))
        return h.planes;
    if (h.planes == 1 && (h.bitsPerPlane == 4 || h.bitsPerPlane == 8))
        return h.bitsPerPlane;
    if (h.bitsPerPlane == 8 && h.planes == 3)
        return 24;
    return 0;
}

void fillColorTable(Image& image, const PcxHeader& h, std::span<const std::uint8_t> trailingPalette)
{
    const int colors = image.colorCount();
    if (colors == 0)
        return; // 24-bit pictures have no table
    if (colors == 2) {
        image.setColor(0, Rgbq { 0, 0, 0, 0 });
        image.setColor(1, Rgbq { 255, 255, 255, 0 });
        return;
    }
    if (h.grayscale) {
        // Entry i of an even ramp: i itself for 256 levels, i × 17 for 16.
        for (int i = 0; i < colors; ++i) {
            const auto level = std::uint8_t(i * 255 / (colors - 1));
            image.setColor(i, Rgbq { level, level, level, 0 });
        }
        return;
    }
    const std::uint8_t* rgb = colors == 16 ? h.headerPalette : trailingPalette.data() + 1;
    for (int i = 0; i < colors; ++i)
        image.setColor(i, Rgbq { rgb[3 * i + 2], rgb[3 * i + 1], rgb[3 * i], 0 });
}

// Turns one decoded line (planes × bytes per line) into an image row.
void storeLine(const std::uint8_t* line, const PcxHeader& h, int bits, std::uint8_t* row)
{
    const std::size_t width = std::size_t(h.width);
    switch (bits) {
    case 24: {
        const std::uint8_t* red = line;
        const std::uint8_t* green = line + h.bytesPerLine;
        const std::uint8_t* blue = line + 2 * h.bytesPerLine;
        for (std::size_t x = 0; x < width; ++x, row += 3) {
            row[0] = blue[x];
            row[1] = green[x];
            row[2] = red[x];
        }
        return;
    }
    case 4:
        if (h.planes == 4) {
            // Bit x of plane p is bit p of pixel x.
            for (std::size_t x = 0; x < width; ++x) {
                const std::size_t byte = x / 8;
                const int shift = 7 - int(x % 8);
                int index = 0;
                for (int p = 0; p < 4; ++p)
                    index |= ((line[p * h.bytesPerLine + byte] >> shift) & 1) << p;
                row[x / 2] |= std::uint8_t(x % 2 == 0 ? index << 4 : index);
            }
            return;
        }
        std::memcpy(row, line, (width + 1) / 2);
        return;
    default: std::memcpy(row, line, (width * std::size_t(bits) + 7) / 8); return;
    }
}

} // namespace

ReadResult decodePcx(const ByteSource& file, const Allocator& allocator)
{
    std::vector<std::uint8_t> headerBuffer;
    auto header = file.view(0, kHeaderSize, headerBuffer);
    if (!header || (*header)[0] != 10)
        return ReadResult::notThisFormat("no PCX header");
    const PcxHeader h = parseHeader(*header);
    if (h.width <= 0 || h.height <= 0)
        return ReadResult::noImage("PCX: bad size");
    const int bits = imageBits(h);
    if (bits == 0) {
        allocator.host().message(text(StringId::CaptionWarning), text(StringId::UnknownFileFormat), Icon::Warning);
        return ReadResult::noImage(
            "PCX: " + std::to_string(h.planes) + " planes of " + std::to_string(h.bitsPerPlane) + " bits");
    }
    if (h.bytesPerLine < (std::size_t(h.width) * std::size_t(h.bitsPerPlane) + 7) / 8)
        return ReadResult::noImage("PCX: lines shorter than the width");

    const int colors = bits == 24 ? 0 : 1 << bits;
    std::span<const std::uint8_t> trailingPalette;
    std::vector<std::uint8_t> paletteBuffer;
    std::uint64_t codedSize = file.size() - kHeaderSize;
    if (colors == 256) {
        // Past the end when the file is too short to have one, and then refused.
        const std::uint64_t at = codedSize < kPaletteSize ? file.size() : file.size() - kPaletteSize;
        auto palette = file.view(at, kPaletteSize, paletteBuffer);
        if (!palette || (*palette)[0] != kPaletteMarker)
            return ReadResult::noImage("PCX: no 256-colour palette at the end");
        codedSize -= kPaletteSize;
        trailingPalette = *palette;
    }

    // Two coded bytes make at most 63 pixel bytes, so a short file cannot claim a huge picture.
    const std::size_t lineSize = std::size_t(h.planes) * h.bytesPerLine;
    const std::uint64_t mostDecoded = (codedSize / 2 + 1) * 63;
    if (std::uint64_t(lineSize) * std::uint64_t(h.height) > mostDecoded)
        return ReadResult::cannotRead("PCX: coded lines cut short");

    auto image = allocator.image(h.width, h.height, bits, colors, "Warning");
    if (!image)
        return ReadResult::noImage("PCX: not enough memory");
    image->setResolution(h.xPelsPerMeter, h.yPelsPerMeter);
    fillColorTable(*image, h, trailingPalette);

    // The coded lines come through a window of the file, never the whole of it at once.
    SourceStream coded(file, kHeaderSize, kHeaderSize + codedSize, kCodedWindow);
    PcxRunDecoder decoder([&coded] { return coded.next(); });
    std::vector<std::uint8_t> line(lineSize);
    for (int y = 0; y < h.height; ++y) {
        if (!decoder.decode(line))
            return ReadResult::cannotRead("PCX: coded lines cut short at line " + std::to_string(y));
        storeLine(line.data(), h, bits, image->row(y));
    }
    return ReadResult::read(std::move(*image));
}

ReadResult decodePcx(std::span<const std::uint8_t> bytes, const Allocator& allocator)
{
    MemoryByteSource source(bytes);
    return decodePcx(source, allocator);
}

ReadResult readPcxFile(const std::string& path, const Allocator& allocator)
{
    return readImageFileFrom(path, allocator, decodePcx);
}

} // namespace gp
