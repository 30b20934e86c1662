#include "codecs/TiffReader.h"

#include "codecs/Lzw.h"
#include "codecs/TiffDirectory.h"
#include "codecs/TiffYcc.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace gp {

namespace {

// Largest decoded strip taken in one piece (tools commonly write strips of 8 KiB to a few
// hundred KiB).
constexpr std::uint64_t kWholeStripBytes = std::uint64_t(4) << 20;

// Puts decoded file rows into the image from the top row down, turning each into the image's
// own form as soon as it is complete: differencing undone, camera YCbCr expanded, RGB swapped to
// the bitmap's blue-green-red order.
class RowSink {
public:
    RowSink(const TiffDirectory& dir, Image& image)
        : m_image(image)
        , m_camera(dir.cameraYcc && dir.bitCount() == 24)
    {
        const std::size_t width = std::size_t(image.width());
        m_fileRowSize = m_camera ? cameraYccRowSize(width) : (width * dir.bitCount() + 7) / 8;
        m_rgb = dir.bitCount() == 24 && !m_camera;
        m_stride = dir.bitCount() == 24 ? 3 : 1;
        if (m_camera)
            m_cameraRow.resize(m_fileRowSize);
    }

    std::size_t fileRowSize() const { return m_fileRowSize; }
    bool done() const { return m_next >= m_image.height(); }
    int rowsLeft() const { return m_image.height() - m_next; }

    // Where the next file row goes.
    std::span<std::uint8_t> target()
    {
        std::uint8_t* row = m_camera ? m_cameraRow.data() : m_image.row(m_next);
        return { row, m_fileRowSize };
    }

    void finishRow(bool differenced)
    {
        const std::span<std::uint8_t> row = target();
        if (differenced)
            for (std::size_t i = m_stride; i < row.size(); ++i)
                row[i] = std::uint8_t(row[i] + row[i - m_stride]);
        if (m_camera)
            expandCameraYccRow(row, m_image.width(), m_image.row(m_next));
        else if (m_rgb)
            for (std::size_t i = 0; i + 2 < row.size(); i += 3)
                std::swap(row[i], row[i + 2]);
        ++m_next;
    }

    // Leaves rows as they are (zero) after a strip that ended early.
    void skip(int rows) { m_next += std::min(rows, rowsLeft()); }

private:
    Image& m_image;
    bool m_camera;
    bool m_rgb = false;
    std::size_t m_stride = 1;
    std::size_t m_fileRowSize = 0;
    std::vector<std::uint8_t> m_cameraRow;
    int m_next = 0;
};

// Rows a strip holds: the whole image when there is one strip, else what its bytes cover.
std::uint64_t plainStripRows(const TiffDirectory& dir, std::size_t strip, std::size_t fileRowSize, int height)
{
    if (dir.stripOffsets.size() == 1)
        return std::uint64_t(height);
    const std::uint64_t rowsPerStrip = dir.rowsPerStrip == 0 ? std::uint64_t(height) : dir.rowsPerStrip;
    const std::uint64_t bytes = dir.stripByteCounts.empty() ? rowsPerStrip * fileRowSize : dir.stripByteCounts[strip];
    return bytes / fileRowSize;
}

Result<void> readPlainStrips(const ByteSource& source, const TiffDirectory& dir, RowSink& sink, int height)
{
    const std::size_t rowSize = sink.fileRowSize();
    for (std::size_t strip = 0; strip < dir.stripOffsets.size() && !sink.done(); ++strip) {
        const std::uint64_t rows
            = std::min<std::uint64_t>(plainStripRows(dir, strip, rowSize, height), std::uint64_t(sink.rowsLeft()));
        for (std::uint64_t r = 0; r < rows; ++r) {
            if (!source.readAt(dir.stripOffsets[strip] + r * rowSize, sink.target()))
                return makeError(ErrorKind::Truncated, "TIFF: strip " + std::to_string(strip) + " cut short");
            sink.finishRow(false);
        }
    }
    return {};
}

// Rows decoded by the plain LZW decoder, one at a time straight into the image. A stream that
// ends early (cut short, or a code the table cannot hold) leaves the rest of its rows zero, as
// other readers do.
void decodeStripByRows(LzwDecoder& decoder, RowSink& sink, int rows, bool differenced)
{
    for (int r = 0; r < rows; ++r) {
        const std::span<std::uint8_t> row = sink.target();
        const std::size_t got = decoder.read(row);
        if (got < row.size()) {
            std::fill(row.begin() + std::ptrdiff_t(got), row.end(), std::uint8_t(0));
            sink.finishRow(differenced);
            sink.skip(rows - r - 1);
            return;
        }
        sink.finishRow(differenced);
    }
}

// The same rows decoded as one piece into `strip` by the faster whole-stream decoder, then
// copied into the image; the rows past the end of a short stream are zero as above.
void decodeStripWhole(std::span<const std::uint8_t> coded, std::vector<std::uint8_t>& strip, RowSink& sink, int rows,
    bool differenced)
{
    const std::size_t rowSize = sink.fileRowSize();
    strip.resize(rowSize * std::size_t(rows));
    const std::size_t got = decodeLzwStream(kTiffLzwRules, coded, strip);
    for (int r = 0; r < rows; ++r) {
        const std::span<std::uint8_t> row = sink.target();
        const std::size_t from = std::size_t(r) * rowSize;
        const std::size_t present = got > from ? std::min(got - from, rowSize) : 0;
        std::memcpy(row.data(), strip.data() + from, present);
        if (present < rowSize) {
            std::fill(row.begin() + std::ptrdiff_t(present), row.end(), std::uint8_t(0));
            sink.finishRow(differenced);
            sink.skip(rows - r - 1);
            return;
        }
        sink.finishRow(differenced);
    }
}

// Each strip is one LZW stream of whole rows. Strips of up to kWholeStripBytes decoded are
// decoded as one piece, larger ones (a file written as a single strip) row by row so the
// picture is not held twice.
Result<void> readLzwStrips(const ByteSource& source, const TiffDirectory& dir, RowSink& sink, int height)
{
    const bool differenced = dir.predictor == tiff::kHorizontalDifferencing;
    const std::uint64_t rowsPerStrip
        = dir.stripOffsets.size() == 1 || dir.rowsPerStrip == 0 ? std::uint64_t(height) : dir.rowsPerStrip;
    std::vector<std::uint8_t> buffer;
    std::vector<std::uint8_t> strip;
    for (std::size_t index = 0; index < dir.stripOffsets.size() && !sink.done(); ++index) {
        const std::uint64_t offset = dir.stripOffsets[index];
        if (offset > source.size())
            return makeError(ErrorKind::Truncated, "TIFF: strip " + std::to_string(index) + " past the end");
        std::uint64_t length = source.size() - offset;
        if (!dir.stripByteCounts.empty())
            length = std::min<std::uint64_t>(length, dir.stripByteCounts[index]);
        auto bytes = source.view(offset, std::size_t(length), buffer);
        if (!bytes)
            return bytes.error();
        const int rows = int(std::min<std::uint64_t>(rowsPerStrip, std::uint64_t(sink.rowsLeft())));
        if (std::uint64_t(rows) * sink.fileRowSize() <= kWholeStripBytes) {
            decodeStripWhole(*bytes, strip, sink, rows, differenced);
        } else {
            LzwDecoder decoder(kTiffLzwRules, *bytes);
            decodeStripByRows(decoder, sink, rows, differenced);
        }
    }
    return {};
}

// Colour count and table of the depth and photometric; a palette file needs its colour map.
Result<int> colorCount(const TiffDirectory& dir)
{
    const std::uint32_t bits = dir.bitCount();
    if (bits == 24)
        return 0;
    if (bits == 1)
        return 2;
    if (dir.photometric == tiff::kBlackIsZero)
        return bits == 4 ? 16 : 256;
    if (!dir.hasColorMap)
        return makeError(ErrorKind::Malformed, "TIFF: palette file without a colour map");
    const std::uint32_t colors = std::min<std::uint32_t>(dir.colorMapCount / 3, 1u << bits);
    if (colors == 0)
        return makeError(ErrorKind::Malformed, "TIFF: empty colour map");
    return int(colors);
}

Result<void> fillColorTable(const ByteSource& source, const TiffDirectory& dir, Image& image)
{
    const int colors = image.colorCount();
    if (dir.bitCount() == 1) {
        const Rgbq black { 0, 0, 0, 0 }, white { 255, 255, 255, 0 };
        const bool whiteIsZero = dir.photometric == tiff::kWhiteIsZero;
        image.setColor(0, whiteIsZero ? white : black);
        image.setColor(1, whiteIsZero ? black : white);
        return {};
    }
    if (dir.photometric == tiff::kBlackIsZero) {
        // 16 levels spread over the whole range for 4-bit gray, so white stays white.
        const int step = 255 / (colors - 1);
        for (int i = 0; i < colors; ++i) {
            const auto v = std::uint8_t(i * step);
            image.setColor(i, Rgbq { v, v, v, 0 });
        }
        return {};
    }
    // Reds, then greens, then blues, each as many 16-bit values as the map has colours.
    const std::uint64_t perChannel = dir.colorMapCount / 3;
    std::vector<std::uint8_t> buffer;
    auto map = source.view(dir.colorMapOffset, std::size_t(perChannel * 6), buffer);
    if (!map)
        return makeError(ErrorKind::Truncated, "TIFF: colour map past the end");
    auto high = [&](std::uint64_t channel, int i) {
        return std::uint8_t(
            loadTiffU16(map->data() + (channel * perChannel + std::uint64_t(i)) * 2, dir.bigEndian) >> 8);
    };
    for (int i = 0; i < colors; ++i)
        image.setColor(i, Rgbq { high(2, i), high(1, i), high(0, i), 0 });
    return {};
}

Result<void> checkLayout(const TiffDirectory& dir)
{
    if (dir.width == 0 || dir.height == 0)
        return makeError(ErrorKind::Malformed, "TIFF: no image size");
    if (dir.width > INT_MAX || dir.height > INT_MAX)
        return makeError(ErrorKind::TooLarge, "TIFF: image larger than the program handles");
    const std::uint32_t bits = dir.bitCount();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        return makeError(ErrorKind::Unsupported, "TIFF: " + std::to_string(bits) + " bits per pixel");
    if (dir.compression != tiff::kNoCompression && dir.compression != tiff::kLzw)
        return makeError(ErrorKind::Unsupported, "TIFF: compression " + std::to_string(dir.compression));
    if (dir.samplesPerPixel > 1 && dir.planarConfiguration == 2)
        return makeError(ErrorKind::Unsupported, "TIFF: samples stored in separate planes");
    if (dir.stripOffsets.empty())
        return makeError(ErrorKind::Malformed, "TIFF: no strips");
    if (!dir.stripByteCounts.empty() && dir.stripByteCounts.size() != dir.stripOffsets.size())
        return makeError(ErrorKind::Malformed, "TIFF: strip tables of different lengths");
    return {};
}

// The orientation tag and the embedded colour profile; a profile that lies outside the file is
// left out, the picture is read all the same.
void readPhotoMetadata(const ByteSource& source, const TiffDirectory& dir, PhotoMetadata& photo)
{
    if (dir.orientation >= 1 && dir.orientation <= 8)
        photo.orientation = int(dir.orientation);
    constexpr std::uint32_t kLargestProfile = std::uint32_t(16) << 20;
    if (dir.iccProfileSize == 0 || dir.iccProfileSize > kLargestProfile || dir.iccProfileOffset > source.size()
        || dir.iccProfileSize > source.size() - dir.iccProfileOffset)
        return;
    std::vector<std::uint8_t> buffer;
    if (auto bytes = source.view(dir.iccProfileOffset, dir.iccProfileSize, buffer))
        photo.iccProfile.assign(bytes->begin(), bytes->end());
}

} // namespace

std::int32_t tiffResolutionToPelsPerMeter(std::uint32_t unit, std::uint16_t value)
{
    std::uint64_t dpi = 0;
    if (unit == tiff::kInch)
        dpi = value;
    else if (unit == tiff::kCentimetre)
        dpi = (std::uint64_t(value) * 10000 + 3936) / 3937;
    return std::int32_t((dpi * 5410971599295ull) >> 37);
}

ReadResult decodeTiff(const ByteSource& source, const Allocator& allocator)
{
    auto directory = readTiffDirectory(source);
    if (!directory)
        return ReadResult::noImage(directory.error().message);
    const TiffDirectory& dir = *directory;
    if (auto layout = checkLayout(dir); !layout)
        return ReadResult::noImage(layout.error().message);
    auto colors = colorCount(dir);
    if (!colors)
        return ReadResult::noImage(colors.error().message);

    const int width = int(dir.width), height = int(dir.height);
    auto image = allocator.image(width, height, int(dir.bitCount()), *colors, "Warning");
    if (!image)
        return ReadResult::noImage("TIFF: not enough memory");
    image->setResolution(tiffResolutionToPelsPerMeter(dir.resolutionUnit, dir.xResolution),
        tiffResolutionToPelsPerMeter(dir.resolutionUnit, dir.yResolution));
    if (auto table = fillColorTable(source, dir, *image); !table)
        return ReadResult::noImage(table.error().message);

    RowSink sink(dir, *image);
    const Result<void> pixels = dir.compression == tiff::kLzw ? readLzwStrips(source, dir, sink, height)
                                                              : readPlainStrips(source, dir, sink, height);
    if (!pixels)
        return ReadResult::noImage(pixels.error().message);
    ReadResult result = ReadResult::read(std::move(*image));
    readPhotoMetadata(source, dir, result.photo);
    return result;
}

ReadResult decodeTiff(std::span<const std::uint8_t> file, const Allocator& allocator)
{
    return decodeTiff(MemoryByteSource(file), allocator);
}

ReadResult readTiffFile(const std::string& path, const Allocator& allocator)
{
    auto source = FileByteSource::open(path);
    if (!source)
        return ReadResult::cannotRead("TIFF: " + source.error().message);
    return decodeTiff(*source, allocator);
}

} // namespace gp
