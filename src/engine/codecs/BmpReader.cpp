#include "codecs/BmpReader.h"

#include "base/ByteReader.h"
#include "codecs/BmpRle.h"
#include "codecs/SourceStream.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <vector>

namespace gp {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
// Rows that need converting are read in bands of about this many bytes.
constexpr std::size_t kBandBytes = std::size_t(1) << 20;
constexpr std::uint32_t kPlain = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

struct BmpHeader {
    std::uint32_t offBits = 0;
    std::uint32_t headerSize = 0;
    int width = 0;
    int height = 0; // positive; topDown tells the row order
    bool topDown = false;
    int bits = 0;
    std::uint32_t compression = kPlain;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t masks[3] = { 0, 0, 0 }; // red, green, blue of 16- and 32-bit pixels
    std::size_t colorTableOffset = 0;
};

bool knownInfoHeader(std::uint32_t size)
{
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// One channel of a 16- or 32-bit pixel, scaled from its mask's width to 0..255.
class Channel {
public:
    explicit Channel(std::uint32_t mask)
    {
        if (mask == 0)
            return;
        m_shift = std::countr_zero(mask);
        m_max = mask >> m_shift;
    }
    std::uint8_t operator()(std::uint32_t pixel) const
    {
        if (m_max == 0)
            return 0;
        const std::uint64_t v = (pixel >> m_shift) & m_max;
        return std::uint8_t((v * 255 + m_max / 2) / m_max);
    }

private:
    int m_shift = 0;
    std::uint32_t m_max = 0;
};

// Reads the header fields; nothing when the header is not one this reader knows.
Result<BmpHeader> readHeader(ByteReader& in)
{
    BmpHeader h;
    (void)in.seek(10);
    auto off = in.readU32Le();
    auto size = in.readU32Le();
    if (!off || !size)
        return makeError(ErrorKind::Truncated, "BMP: short header");
    h.offBits = *off;
    h.headerSize = *size;
    if (h.headerSize == kCoreHeaderSize) {
        auto core = in.readBytes(8);
        if (!core)
            return makeError(ErrorKind::Truncated, "BMP: short core header");
        h.width = loadU16Le(core->data());
        h.height = loadU16Le(core->data() + 2);
        h.bits = loadU16Le(core->data() + 6);
        h.colorTableOffset = kFileHeaderSize + kCoreHeaderSize;
        if (h.width == 0 || h.height == 0)
            return makeError(ErrorKind::Malformed, "BMP: bad size");
        return h;
    }
    if (!knownInfoHeader(h.headerSize))
        return makeError(ErrorKind::Unsupported, "BMP: header size " + std::to_string(h.headerSize));
    auto info = in.readBytes(h.headerSize - 4);
    if (!info)
        return makeError(ErrorKind::Truncated, "BMP: short info header");
    const std::uint8_t* p = info->data() - 4; // offsets below count from the header's start
    const std::int32_t width = std::int32_t(loadU32Le(p + 4));
    const std::int32_t height = std::int32_t(loadU32Le(p + 8));
    h.bits = loadU16Le(p + 14);
    h.compression = loadU32Le(p + 16);
    h.xPelsPerMeter = std::int32_t(loadU32Le(p + 24));
    h.yPelsPerMeter = std::int32_t(loadU32Le(p + 28));
    h.clrUsed = loadU32Le(p + 32);
    if (width <= 0 || height == 0 || height == INT_MIN)
        return makeError(ErrorKind::Malformed, "BMP: bad size");
    h.width = width;
    h.topDown = height < 0;
    h.height = h.topDown ? -height : height;
    h.colorTableOffset = kFileHeaderSize + h.headerSize;
    if (h.compression == kBitFields) {
        if (h.headerSize >= 52) {
            for (int i = 0; i < 3; ++i)
                h.masks[i] = loadU32Le(p + 40 + 4 * i);
        } else {
            for (auto& mask : h.masks) {
                auto m = in.readU32Le();
                if (!m)
                    return makeError(ErrorKind::Truncated, "BMP: short bit-field masks");
                mask = *m;
            }
            h.colorTableOffset += 12;
        }
    }
    return h;
}

Result<void> checkCoding(BmpHeader& h)
{
    const bool known = h.bits == 1 || h.bits == 4 || h.bits == 8 || h.bits == 16 || h.bits == 24 || h.bits == 32;
    if (!known)
        return makeError(ErrorKind::Unsupported, "BMP: " + std::to_string(h.bits) + " bits per pixel");
    switch (h.compression) {
    case kPlain:
        if (h.bits == 16)
            h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
        else if (h.bits == 32)
            h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF;
        return {};
    case kRle8:
    case kRle4:
        if (h.bits != (h.compression == kRle8 ? 8 : 4) || h.topDown)
            return makeError(ErrorKind::Malformed, "BMP: run-length coding of the wrong kind");
        return {};
    case kBitFields:
        if (h.bits != 16 && h.bits != 32)
            return makeError(ErrorKind::Malformed, "BMP: bit fields on a paletted file");
        return {};
    default: return makeError(ErrorKind::Unsupported, "BMP: compression " + std::to_string(h.compression));
    }
}

// Size of one stored row of the file, padded to 4 bytes.
std::size_t fileRowSize(const BmpHeader& h)
{
    return (std::size_t(h.width) * std::size_t(h.bits) + 31) / 32 * 4;
}

// Reads plain rows, widening 16- and 32-bit pixels, into the bottom-up image. A bottom-up file
// of 1 to 24 bits already has the image's row layout, so its rows are read straight into the
// picture in one piece; other files come in bands of rows through a buffer. The caller has
// checked that all rows are there; false when a read fails all the same.
bool readPlainRows(const ByteSource& file, std::uint64_t pixelStart, const BmpHeader& h, Image& image)
{
    const std::size_t rowSize = fileRowSize(h);
    const bool widened = h.bits == 16 || h.bits == 32;
    if (!widened && !h.topDown)
        return file.readAt(pixelStart, image.pixels());
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    const int bandRows = int(std::clamp<std::size_t>(kBandBytes / rowSize, 1, std::size_t(h.height)));
    std::vector<std::uint8_t> band(rowSize * std::size_t(bandRows));
    for (int first = 0; first < h.height; first += bandRows) {
        const int rows = std::min(bandRows, h.height - first);
        const std::span<std::uint8_t> bytes(band.data(), rowSize * std::size_t(rows));
        if (!file.readAt(pixelStart + std::uint64_t(first) * rowSize, bytes))
            return false;
        for (int r = 0; r < rows; ++r) {
            const int i = first + r;
            const std::uint8_t* src = bytes.data() + std::size_t(r) * rowSize;
            std::uint8_t* dst = image.storedRow(h.topDown ? h.height - 1 - i : i);
            if (!widened) {
                std::memcpy(dst, src, rowSize);
                continue;
            }
            for (int x = 0; x < h.width; ++x, dst += 3) {
                const std::uint32_t pixel = h.bits == 16 ? loadU16Le(src + 2 * x) : loadU32Le(src + 4 * x);
                dst[0] = blue(pixel);
                dst[1] = green(pixel);
                dst[2] = red(pixel);
            }
        }
    }
    return true;
}

} // namespace

ReadResult decodeBmp(const ByteSource& file, const Allocator& allocator)
{
    if (file.size() < kFileHeaderSize)
        return ReadResult::noImage("BMP: shorter than a file header");
    // Every header field lies in the first bytes: the file header, the largest info header and
    // the bit-field masks that may follow a short one.
    const std::size_t headBytes = std::size_t(std::min<std::uint64_t>(file.size(), kFileHeaderSize + 124 + 12));
    std::vector<std::uint8_t> headBuffer;
    auto head = file.view(0, headBytes, headBuffer);
    if (!head)
        return ReadResult::cannotRead("BMP: cannot read the header");
    if ((*head)[0] != 'B' || (*head)[1] != 'M')
        return ReadResult::notThisFormat("no BM signature");
    ByteReader in(*head);
    auto header = readHeader(in);
    if (!header)
        return ReadResult::noImage(header.error().message);
    BmpHeader& h = *header;
    if (auto coding = checkCoding(h); !coding)
        return ReadResult::noImage(coding.error().message);

    // Colour count as a 16-bit power of two, so deeper pixels have none; a smaller biClrUsed wins.
    int colors = std::uint16_t(1u << std::min(h.bits, 16));
    if (h.clrUsed != 0 && h.clrUsed <= std::uint32_t(colors))
        colors = int(h.clrUsed);
    const int outBits = h.bits <= 8 ? h.bits : 24;
    if (outBits == 24)
        colors = 0;

    // A plain file must hold all its rows before a block is taken for them.
    const bool runLength = h.compression == kRle8 || h.compression == kRle4;
    const std::size_t entrySize = h.headerSize == kCoreHeaderSize ? 3 : 4;
    const std::uint64_t pixelStart = h.offBits != 0 ? h.offBits : h.colorTableOffset + colors * entrySize;
    if (!runLength && (pixelStart > file.size() || (file.size() - pixelStart) / fileRowSize(h) < std::size_t(h.height)))
        return ReadResult::cannotRead("BMP: pixel data cut short");

    auto image = allocator.image(h.width, h.height, outBits, colors, "Warning");
    if (!image)
        return ReadResult::noImage("BMP: not enough memory");
    image->setResolution(h.xPelsPerMeter, h.yPelsPerMeter);

    std::vector<std::uint8_t> tableBuffer;
    auto table = file.view(h.colorTableOffset, std::size_t(colors) * entrySize, tableBuffer);
    if (!table)
        return ReadResult::cannotRead("BMP: colour table cut short");
    for (int i = 0; i < colors; ++i) {
        const std::uint8_t* entry = table->data() + std::size_t(i) * entrySize;
        image->setColor(i, Rgbq { entry[0], entry[1], entry[2], 0 });
    }
    if (pixelStart > file.size())
        return ReadResult::cannotRead("BMP: pixel offset past the end");
    if (runLength) {
        // The coded pixels have no fixed size per row; they are read to the end of the file.
        std::vector<std::uint8_t> codedBuffer;
        auto coded = file.view(pixelStart, std::size_t(file.size() - pixelStart), codedBuffer);
        if (!coded)
            return ReadResult::cannotRead("BMP: pixel data cut short");
        ByteReader codedIn(*coded);
        decodeBmpRle(codedIn, *image);
    } else if (!readPlainRows(file, pixelStart, h, *image)) {
        return ReadResult::cannotRead("BMP: pixel data cut short");
    }
    return ReadResult::read(std::move(*image));
}

ReadResult decodeBmp(std::span<const std::uint8_t> bytes, const Allocator& allocator)
{
    MemoryByteSource source(bytes);
    return decodeBmp(source, allocator);
}

ReadResult readBmpFile(const std::string& path, const Allocator& allocator)
{
    // A file larger than twice the block ceiling cannot hold an image the ceiling allows.
    auto file = openImageFile(path, allocator.ceiling());
    if (!file) {
        if (file.error().kind == ErrorKind::TooLarge) {
            allocator.reportOutOfMemory();
            return ReadResult::noImage(file.error().message);
        }
        return ReadResult::notThisFormat(file.error().message);
    }
    return decodeBmp(*file, allocator);
}

} // namespace gp
