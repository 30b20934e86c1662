#include "codecs/TiffWriter.h"

#include "base/ByteReader.h"
#include "base/EarlyWriteback.h"
#include "codecs/Lzw.h"
#include "codecs/RedBlueSwap.h"
#include "codecs/TiffDirectory.h"
#include "image/ImageType.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <fcntl.h>
#include <unistd.h>

namespace gp {

namespace {

constexpr std::size_t kDirectoryOffset = 8;
constexpr std::uint16_t kEntryCount = 16;
constexpr std::size_t kXResolutionOffset = 206, kYResolutionOffset = 214, kNameOffset = 222;
constexpr std::size_t kExtraOffset = 238; // bits per sample of 24-bit images, or the colour map
constexpr char kDocumentName[16] = "Chromaplate";
// Bytes gathered before each write. A write call costs a fixed few microseconds beside copying
// its bytes into the file's pages; at 1 MiB a 72 MB picture takes about 70 calls, not 1100.
constexpr std::size_t kFlushSize = std::size_t(1) << 20;

enum class Kind { Rgb, Gray, Bilevel, Palette };

Kind kindOf(const Image& image)
{
    switch (image.bitsPerPixel()) {
    case 24: return Kind::Rgb;
    case 1: return Kind::Bilevel;
    default: return isGrayscale(&image) ? Kind::Gray : Kind::Palette;
    }
}

// Colour-map entries written: the full table the depth addresses, which TIFF readers require;
// entries beyond the image's own colours are black.
int mapColors(const Image& image)
{
    return 1 << image.bitsPerPixel();
}

std::size_t pixelOffset(const Image& image)
{
    switch (kindOf(image)) {
    case Kind::Rgb: return kExtraOffset + 6;
    case Kind::Palette: return kExtraOffset + 6 * std::size_t(mapColors(image));
    default: return kExtraOffset;
    }
}

std::size_t fileRowSize(const Image& image)
{
    return (std::size_t(image.width()) * std::size_t(image.bitsPerPixel()) + 7) / 8;
}

// A 1-bit image whose first colour is the lighter one is stored white-is-zero, so its pixels
// keep their look.
bool whiteIsZero(const Image& image)
{
    const Rgbq a = image.color(0), b = image.color(1);
    return a.red + a.green + a.blue > b.red + b.green + b.blue;
}

class EntryWriter {
public:
    explicit EntryWriter(std::uint8_t* first)
        : m_next(first)
    {
    }

    void add(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint32_t value)
    {
        storeU16Le(m_next, tag);
        storeU16Le(m_next + 2, type);
        storeU32Le(m_next + 4, count);
        storeU32Le(m_next + 8, value); // a SHORT lands in the low two bytes
        m_next += 12;
    }
    // Sizes beyond 16 bits go out as LONG so they are never cut.
    void addSize(std::uint16_t tag, int value)
    {
        add(tag, value > 0xFFFF ? tiff::kLong : tiff::kShort, 1, std::uint32_t(value));
    }

private:
    std::uint8_t* m_next;
};

// Buffered positioned writes to the strip; remembers the first failure.
class StripOutput {
public:
    StripOutput(int fd, std::size_t offset)
        : m_fd(fd)
        , m_offset(offset)
        , m_writeback(fd)
    {
    }

    std::vector<std::uint8_t>& buffer() { return m_buffer; }
    void flushIfFull()
    {
        if (m_buffer.size() >= kFlushSize)
            flush();
    }
    void flush()
    {
        if (m_ok && !writeAll(m_fd, m_buffer.data(), m_buffer.size(), m_offset + m_written))
            m_ok = false;
        m_written += m_buffer.size();
        m_buffer.clear();
        m_writeback.written(m_offset + m_written);
    }
    // Writes `size` bytes after those written so far; nothing may be gathered in the buffer.
    void write(const std::uint8_t* data, std::size_t size)
    {
        if (m_ok && !writeAll(m_fd, data, size, m_offset + m_written))
            m_ok = false;
        m_written += size;
        m_writeback.written(m_offset + m_written);
    }
    bool ok() const { return m_ok; }
    std::size_t written() const { return m_written; }

    static bool writeAll(int fd, const std::uint8_t* data, std::size_t size, std::size_t offset)
    {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::pwrite(fd, data + done, size - done, off_t(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            done += std::size_t(n);
        }
        return true;
    }

private:
    int m_fd;
    std::size_t m_offset;
    std::size_t m_written = 0;
    bool m_ok = true;
    std::vector<std::uint8_t> m_buffer;
    // The disk write of each finished stretch is started at once, so the final sync waits only
    // for the last one.
    EarlyWriteback m_writeback;
};

// Uncompressed rows are copied (24-bit ones turned to RGB) straight into a chunk of whole rows
// that is written when full: no row is copied twice and no byte is cleared before it is filled.
void writePlainRows(const Image& image, StripOutput& out)
{
    const std::size_t rowSize = fileRowSize(image);
    const bool rgb = image.bitsPerPixel() == 24;
    const std::size_t rowsPerChunk = std::max<std::size_t>(1, kFlushSize / rowSize);
    const std::unique_ptr<std::uint8_t[]> chunk(new std::uint8_t[rowsPerChunk * rowSize]);
    std::size_t held = 0;
    for (int y = 0; y < image.height() && out.ok(); ++y) {
        std::uint8_t* const to = chunk.get() + held * rowSize;
        if (rgb)
            copySwappingRedBlue(image.row(y), to, rowSize);
        else
            std::memcpy(to, image.row(y), rowSize);
        if (++held == rowsPerChunk || y + 1 == image.height()) {
            out.write(chunk.get(), held * rowSize);
            held = 0;
        }
    }
}

// Writes the rows from the top down, unpadded, 24-bit ones as RGB; false when a write failed.
bool writeStrip(const Image& image, bool compress, StripOutput& out)
{
    if (!compress) {
        writePlainRows(image, out);
        return out.ok();
    }
    const std::size_t rowSize = fileRowSize(image);
    const bool rgb = image.bitsPerPixel() == 24;
    std::vector<std::uint8_t> rgbRow(rgb ? rowSize : 0);
    LzwEncoder encoder(kTiffLzwRules);
    for (int y = 0; y < image.height() && out.ok(); ++y) {
        std::span<const std::uint8_t> row(image.row(y), rowSize);
        if (rgb) {
            copySwappingRedBlue(row.data(), rgbRow.data(), rowSize);
            row = rgbRow;
        }
        encoder.encode(row, out.buffer());
        out.flushIfFull();
    }
    encoder.finish(out.buffer());
    out.flush();
    return out.ok();
}

} // namespace

std::uint32_t pelsPerMeterToTiffDpi(std::int32_t pelsPerMeter)
{
    if (pelsPerMeter <= 0)
        return 0;
    return std::uint32_t((std::uint64_t(pelsPerMeter) * 100 + 1968) / 3937);
}

std::vector<std::uint8_t> tiffFileHead(const Image& image, bool compressed, std::uint32_t stripByteCount)
{
    const Kind kind = kindOf(image);
    const std::size_t offset = pixelOffset(image);
    std::vector<std::uint8_t> head(offset, 0);
    std::uint8_t* p = head.data();
    p[0] = 'I';
    p[1] = 'I';
    storeU16Le(p + 2, 42);
    storeU32Le(p + 4, kDirectoryOffset);
    storeU16Le(p + kDirectoryOffset, kEntryCount);

    std::uint32_t photometric = tiff::kBlackIsZero;
    if (kind == Kind::Rgb)
        photometric = tiff::kRgb;
    else if (kind == Kind::Palette)
        photometric = tiff::kPalette;
    else if (kind == Kind::Bilevel && whiteIsZero(image))
        photometric = tiff::kWhiteIsZero;

    EntryWriter entries(p + kDirectoryOffset + 2);
    entries.addSize(tiff::kImageWidth, image.width());
    entries.addSize(tiff::kImageLength, image.height());
    if (kind == Kind::Rgb)
        entries.add(tiff::kBitsPerSample, tiff::kShort, 3, kExtraOffset);
    else
        entries.add(tiff::kBitsPerSample, tiff::kShort, 1, std::uint32_t(image.bitsPerPixel()));
    entries.add(tiff::kCompression, tiff::kShort, 1, compressed ? tiff::kLzw : tiff::kNoCompression);
    entries.add(tiff::kPhotometric, tiff::kShort, 1, photometric);
    entries.add(tiff::kDocumentName, tiff::kAscii, sizeof kDocumentName, kNameOffset);
    entries.add(tiff::kStripOffsets, tiff::kLong, 1, std::uint32_t(offset));
    entries.add(tiff::kSamplesPerPixel, tiff::kShort, 1, kind == Kind::Rgb ? 3 : 1);
    entries.add(tiff::kRowsPerStrip, tiff::kLong, 1, std::uint32_t(image.height()));
    entries.add(tiff::kStripByteCounts, tiff::kLong, 1, stripByteCount);
    entries.add(tiff::kXResolution, tiff::kRational, 1, kXResolutionOffset);
    entries.add(tiff::kYResolution, tiff::kRational, 1, kYResolutionOffset);
    entries.add(tiff::kPlanarConfiguration, tiff::kShort, 1, 1);
    entries.add(tiff::kResolutionUnit, tiff::kShort, 1, tiff::kInch);
    entries.add(tiff::kPredictor, tiff::kShort, 1, 1);
    if (kind == Kind::Palette)
        entries.add(tiff::kColorMap, tiff::kShort, 3 * std::uint32_t(mapColors(image)), kExtraOffset);
    else
        entries.add(tiff::kThresholding, tiff::kLong, 0, 255);
    // The next-directory offset at 202 stays zero.

    storeU32Le(p + kXResolutionOffset, pelsPerMeterToTiffDpi(image.xPelsPerMeter()));
    storeU32Le(p + kXResolutionOffset + 4, 1);
    storeU32Le(p + kYResolutionOffset, pelsPerMeterToTiffDpi(image.yPelsPerMeter()));
    storeU32Le(p + kYResolutionOffset + 4, 1);
    std::copy(std::begin(kDocumentName), std::end(kDocumentName), p + kNameOffset);

    if (kind == Kind::Rgb) {
        for (int i = 0; i < 3; ++i)
            storeU16Le(p + kExtraOffset + 2 * i, 8);
    } else if (kind == Kind::Palette) {
        const int colors = mapColors(image);
        for (int i = 0; i < std::min(colors, image.colorCount()); ++i) {
            const Rgbq c = image.color(i);
            storeU16Le(p + kExtraOffset + 2 * i, std::uint16_t(c.red * 256));
            storeU16Le(p + kExtraOffset + 2 * (colors + i), std::uint16_t(c.green * 256));
            storeU16Le(p + kExtraOffset + 2 * (2 * colors + i), std::uint16_t(c.blue * 256));
        }
    }
    return head;
}

WriteResult writeTiffFile(const std::string& path, const Image& image, bool compress)
{
    if (image.isNull())
        return WriteResult::Reported;
    // A file that cannot be created is a write error, so the caller tells the user.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return WriteResult::WriteError;
    StripOutput strip(fd, pixelOffset(image));
    bool ok = writeStrip(image, compress, strip);
    if (ok) {
        const auto head = tiffFileHead(image, compress, std::uint32_t(strip.written()));
        ok = StripOutput::writeAll(fd, head.data(), head.size(), 0);
    }
    // A full disk may show only when the data is synced.
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    return ok ? WriteResult::Written : WriteResult::WriteError;
}

} // namespace gp
