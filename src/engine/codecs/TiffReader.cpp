#include "codecs/TiffReader.h"

#include "codecs/Lzw.h"
#include "codecs/RedBlueSwap.h"
#include "codecs/TiffDirectory.h"
#include "codecs/TiffYcc.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>
#include <vector>

namespace gp {

namespace {

// Runs jobs 0 … count − 1 on the workers, or here without them. Jobs hold the rows in order, so
// the first failure in job order (that of the earliest strip) is the answer, however they fell.
template <class Job>
Result<void> runJobsInOrder(WorkerPool* workers, int count, const Job& job)
{
    std::vector<std::optional<Error>> failures(static_cast<std::size_t>(count));
    const auto run = [&](int index) {
        if (auto done = job(index); !done)
            failures[std::size_t(index)] = done.error();
    };
    if (workers)
        workers->run(count, run, [](int) { return true; });
    else
        for (int i = 0; i < count; ++i)
            run(i);
    for (const auto& failure : failures)
        if (failure)
            return *failure;
    return {};
}

// Largest decoded strip taken in one piece when it cannot be decoded where its rows go (padded
// rows, camera YCbCr); tools commonly write strips of 8 KiB to a few hundred KiB.
constexpr std::uint64_t kWholeStripBytes = std::uint64_t(4) << 20;

// Strips are handed to the worker threads in groups of about this many decoded bytes, so a file
// of one-row strips does not pay the hand-over for every row.
constexpr std::uint64_t kJobBytes = std::uint64_t(512) << 10;

// Turns decoded file rows into the image's own form: differencing undone, camera YCbCr
// expanded, RGB swapped to the bitmap's blue-green-red order. Holds no state of its own, so the
// threads decoding different strips share one.
class RowForm {
public:
    RowForm(const TiffDirectory& dir, int width)
        : m_width(width)
        , m_camera(dir.cameraYcc && dir.bitCount() == 24)
        , m_differenced(dir.predictor == tiff::kHorizontalDifferencing)
    {
        const std::size_t w = std::size_t(width);
        m_fileRowSize = m_camera ? cameraYccRowSize(w) : (w * dir.bitCount() + 7) / 8;
        m_rgb = dir.bitCount() == 24 && !m_camera;
        m_stride = dir.bitCount() == 24 ? 3 : 1;
    }

    std::size_t fileRowSize() const { return m_fileRowSize; }
    // Camera rows are expanded from a row of their own; every other file row is decoded where
    // the image row is and finished there.
    bool camera() const { return m_camera; }

    // Finishes one decoded file row; `imageRow` is where the camera's expansion goes.
    void finish(std::span<std::uint8_t> row, std::uint8_t* imageRow) const
    {
        if (m_rgb && m_differenced) {
            undoDifferencesTurningRgb(row);
            return;
        }
        if (m_differenced)
            for (std::size_t i = m_stride; i < row.size(); ++i)
                row[i] = std::uint8_t(row[i] + row[i - m_stride]);
        if (m_camera)
            expandCameraYccRow(row, m_width, imageRow);
        else if (m_rgb)
            swapRedBlue(row.data(), row.size());
    }

private:
    // Differencing undone and red and blue swapped in one pass, the running sums of the three
    // channels held in registers.
    static void undoDifferencesTurningRgb(std::span<std::uint8_t> row)
    {
        if (row.size() < 3)
            return;
        std::uint8_t* p = row.data();
        std::uint8_t red = p[0], green = p[1], blue = p[2];
        p[0] = blue;
        p[2] = red;
        for (std::size_t i = 3; i + 2 < row.size(); i += 3) {
            red = std::uint8_t(red + p[i]);
            green = std::uint8_t(green + p[i + 1]);
            blue = std::uint8_t(blue + p[i + 2]);
            p[i] = blue;
            p[i + 1] = green;
            p[i + 2] = red;
        }
    }

    int m_width;
    bool m_camera;
    bool m_differenced;
    bool m_rgb = false;
    std::size_t m_stride = 1;
    std::size_t m_fileRowSize = 0;
};

// Puts the rows of uncompressed strips into the image from the top row down.
class RowSink {
public:
    RowSink(const RowForm& form, Image& image)
        : m_form(form)
        , m_image(image)
    {
        if (form.camera())
            m_cameraRow.resize(form.fileRowSize());
    }

    bool done() const { return m_next >= m_image.height(); }
    int rowsLeft() const { return m_image.height() - m_next; }

    // Where the next file row goes.
    std::span<std::uint8_t> target()
    {
        std::uint8_t* row = m_form.camera() ? m_cameraRow.data() : m_image.row(m_next);
        return { row, m_form.fileRowSize() };
    }

    void finishRow()
    {
        m_form.finish(target(), m_image.row(m_next));
        ++m_next;
    }

private:
    const RowForm& m_form;
    Image& m_image;
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

Error plainStripCutShort(std::size_t strip)
{
    return makeError(ErrorKind::Truncated, "TIFF: strip " + std::to_string(strip) + " cut short");
}

// The reference road: one file read per row, the rows following on from strip to strip.
Result<void> readPlainStripsRowByRow(const ByteSource& source, const TiffDirectory& dir, const RowForm& form, Image& image)
{
    RowSink sink(form, image);
    const std::size_t rowSize = form.fileRowSize();
    for (std::size_t strip = 0; strip < dir.stripOffsets.size() && !sink.done(); ++strip) {
        const std::uint64_t rows = std::min<std::uint64_t>(
            plainStripRows(dir, strip, rowSize, image.height()), std::uint64_t(sink.rowsLeft()));
        for (std::uint64_t r = 0; r < rows; ++r) {
            if (!source.readAt(dir.stripOffsets[strip] + r * rowSize, sink.target()))
                return plainStripCutShort(strip);
            sink.finishRow();
        }
    }
    return {};
}

// Reads uncompressed strips straight into the picture's rows: the rows of a job (about
// kJobBytes of them) go in with one scattered read for each stretch of them that lies
// unbroken in the file, usually the whole job, and are finished where they landed. Jobs touch
// only their own rows, so they are spread over the worker threads. Camera rows are read into a
// buffer of the job's own and expanded from there. The rows land where the row-by-row road
// puts them, and a strip that runs past the end of the file is reported as it reports it.
class PlainStripReader {
public:
    PlainStripReader(const ByteSource& source, const TiffDirectory& dir, const RowForm& form, Image& image)
        : m_source(source)
        , m_dir(dir)
        , m_form(form)
        , m_image(image)
        , m_rowSize(form.fileRowSize())
    {
        // Image row each strip starts at, one more entry for the row after the last strip.
        m_firstRows.reserve(dir.stripOffsets.size() + 1);
        int row = 0;
        for (std::size_t strip = 0; strip < dir.stripOffsets.size() && row < image.height(); ++strip) {
            m_firstRows.push_back(row);
            row += int(std::min<std::uint64_t>(
                plainStripRows(dir, strip, m_rowSize, image.height()), std::uint64_t(image.height() - row)));
        }
        m_firstRows.push_back(row);
        // A cap on the rows of a job too, so the list of pieces of narrow rows stays small.
        m_rowsPerJob = int(std::clamp<std::uint64_t>(kJobBytes / m_rowSize, 1, 4096));
    }

    int jobCount() const { return (rowsCovered() + m_rowsPerJob - 1) / m_rowsPerJob; }

    // Reads and finishes rows job * m_rowsPerJob onwards.
    Result<void> readJob(int job) const
    {
        const int first = job * m_rowsPerJob;
        const int end = std::min(rowsCovered(), first + m_rowsPerJob);
        std::vector<std::uint8_t> cameraRows(m_form.camera() ? std::size_t(end - first) * m_rowSize : 0);
        std::vector<std::span<std::uint8_t>> pieces;
        std::size_t strip = stripHolding(first);
        int row = first;
        while (row < end) {
            // One stretch: from `row` on through following strips while they continue in the file.
            const std::uint64_t offset = rowOffset(strip, row);
            const int stretchFirst = row;
            const std::size_t firstStrip = strip;
            pieces.clear();
            for (;;) {
                for (const int stripEnd = std::min(end, m_firstRows[strip + 1]); row < stripEnd; ++row)
                    pieces.push_back(target(row, first, cameraRows));
                if (row == end)
                    break;
                strip = stripHolding(row);
                if (rowOffset(strip, row) != offset + std::uint64_t(row - stretchFirst) * m_rowSize)
                    break;
            }
            if (!m_source.readScattered(offset, pieces))
                return firstCutStrip(firstStrip, stretchFirst, row);
            for (int r = stretchFirst; r < row; ++r)
                m_form.finish(pieces[std::size_t(r - stretchFirst)], m_image.row(r));
        }
        return {};
    }

private:
    int rowsCovered() const { return m_firstRows.back(); }

    // The strip that holds image row `row` (strips of no rows are passed over).
    std::size_t stripHolding(int row) const
    {
        return std::size_t(std::upper_bound(m_firstRows.begin(), m_firstRows.end(), row) - m_firstRows.begin()) - 1;
    }

    // Where image row `row` of `strip` lies in the file.
    std::uint64_t rowOffset(std::size_t strip, int row) const
    {
        return m_dir.stripOffsets[strip] + std::uint64_t(row - m_firstRows[strip]) * m_rowSize;
    }

    // Where the file row of image row `row` is read to: the image row itself, or for camera
    // rows their place in the job's buffer.
    std::span<std::uint8_t> target(int row, int jobFirst, std::vector<std::uint8_t>& cameraRows) const
    {
        std::uint8_t* const at = m_form.camera() ? cameraRows.data() + std::size_t(row - jobFirst) * m_rowSize : m_image.row(row);
        return { at, m_rowSize };
    }

    // A stretch that could not be read, row by row in the strip order, so the strip named is
    // the one whose row the row-by-row road would have failed on.
    Error firstCutStrip(std::size_t strip, int first, int end) const
    {
        std::vector<std::uint8_t> row(m_rowSize);
        for (int r = first; r < end; ++r) {
            while (r >= m_firstRows[strip + 1])
                ++strip;
            if (!m_source.readAt(rowOffset(strip, r), row))
                return plainStripCutShort(strip);
        }
        return plainStripCutShort(strip);
    }

    const ByteSource& m_source;
    const TiffDirectory& m_dir;
    const RowForm& m_form;
    Image& m_image;
    std::size_t m_rowSize;
    std::vector<int> m_firstRows;
    int m_rowsPerJob = 1;
};

Result<void> readPlainStrips(
    const ByteSource& source, const TiffDirectory& dir, const RowForm& form, Image& image, const TiffDecoding& decoding)
{
    if (decoding.rowByRow)
        return readPlainStripsRowByRow(source, dir, form, image);
    const PlainStripReader reader(source, dir, form, image);
    return runJobsInOrder(decoding.workers, reader.jobCount(), [&](int index) { return reader.readJob(index); });
}

// A strip's coded bytes read from the file a window at a time.
class StripWindow final : public LzwInput {
public:
    StripWindow(const ByteSource& source, std::uint64_t offset, std::uint64_t length, std::size_t windowBytes)
        : m_source(source)
        , m_next(offset)
        , m_left(length)
        , m_windowBytes(std::max<std::size_t>(windowBytes, 16))
    {
        fill();
    }

    // False once a read from the file has failed.
    bool ok() const { return m_ok; }

    std::span<const std::uint8_t> window() const override { return m_bytes; }

    bool advance(std::size_t consumed) override
    {
        if (m_left == 0 || !m_ok)
            return false;
        m_bytes.erase(m_bytes.begin(), m_bytes.begin() + std::ptrdiff_t(std::min(consumed, m_bytes.size())));
        fill();
        return m_ok;
    }

private:
    void fill()
    {
        const std::size_t kept = m_bytes.size();
        const std::size_t take = std::size_t(std::min<std::uint64_t>(m_left, m_windowBytes - std::min(kept, m_windowBytes / 2)));
        m_bytes.resize(kept + take);
        if (!m_source.readAt(m_next, std::span(m_bytes).subspan(kept))) {
            m_bytes.resize(kept);
            m_ok = false;
            return;
        }
        m_next += take;
        m_left -= take;
    }

    const ByteSource& m_source;
    std::uint64_t m_next;
    std::uint64_t m_left;
    std::size_t m_windowBytes;
    std::vector<std::uint8_t> m_bytes;
    bool m_ok = true;
};

// One LZW strip: where its coded bytes are and which image rows it decodes to.
struct LzwStrip {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
    int firstRow = 0;
    int rows = 0;
};

// Decodes LZW strips, each one stream of whole rows starting at its own top row. A stream that
// ends early (cut short, or a code the table cannot hold) leaves the rest of its rows zero, as
// other readers do; the row it ended in is zero-filled and finished. Strips touch only their
// own rows, so any number of them can be decoded at once.
class LzwStripDecoder {
public:
    LzwStripDecoder(const RowForm& form, Image& image, const TiffDecoding& decoding)
        : m_form(form)
        , m_image(image)
        , m_plain(decoding.rowByRow)
        // Rows laid out in the block exactly as the file has them (no padding, no expansion)
        // let a strip be decoded straight into the block.
        , m_inPlace(!form.camera() && image.rowSize() == form.fileRowSize())
        , m_codeWindow(std::max<std::size_t>(decoding.codeWindow, 16))
    {
    }

    // Decodes one strip, its coded bytes read into `buffer` or, for a long strip decoded in
    // place, a window at a time.
    Result<void> decode(const LzwStrip& strip, const ByteSource& source, std::vector<std::uint8_t>& buffer) const
    {
        if (!m_plain && m_inPlace && strip.length > m_codeWindow) {
            StripWindow input(source, strip.offset, strip.length, m_codeWindow);
            decodeInPlace(strip, [&](std::span<std::uint8_t> block) { return decodeLzwStream(kTiffLzwRules, input, block); });
            if (!input.ok())
                return makeError(ErrorKind::Io, "TIFF: a strip could not be read");
            return {};
        }
        auto coded = source.view(strip.offset, std::size_t(strip.length), buffer);
        if (!coded)
            return coded.error();
        const std::uint64_t bytes = std::uint64_t(strip.rows) * m_form.fileRowSize();
        if (m_plain)
            decodeByRows(strip, *coded);
        else if (m_inPlace)
            decodeInPlace(strip, [&](std::span<std::uint8_t> block) { return decodeLzwStream(kTiffLzwRules, *coded, block); });
        else if (bytes <= kWholeStripBytes)
            decodeWhole(strip, *coded);
        else
            decodeByRows(strip, *coded);
        return {};
    }

private:
    // The plain decoder, one row at a time straight into the image.
    void decodeByRows(const LzwStrip& strip, std::span<const std::uint8_t> coded) const
    {
        LzwDecoder decoder(kTiffLzwRules, coded);
        std::vector<std::uint8_t> cameraRow(m_form.camera() ? m_form.fileRowSize() : 0);
        for (int r = 0; r < strip.rows; ++r) {
            std::uint8_t* const imageRow = m_image.row(strip.firstRow + r);
            const std::span<std::uint8_t> row(m_form.camera() ? cameraRow.data() : imageRow, m_form.fileRowSize());
            const std::size_t got = decoder.read(row);
            if (got < row.size())
                std::fill(row.begin() + std::ptrdiff_t(got), row.end(), std::uint8_t(0));
            m_form.finish(row, imageRow);
            if (got < row.size())
                return;
        }
    }

    // The whole-stream decoder into a buffer of the strip's own, then row by row into the image.
    void decodeWhole(const LzwStrip& strip, std::span<const std::uint8_t> coded) const
    {
        const std::size_t rowSize = m_form.fileRowSize();
        std::vector<std::uint8_t> decoded(rowSize * std::size_t(strip.rows));
        const std::size_t got = decodeLzwStream(kTiffLzwRules, coded, decoded);
        std::fill(decoded.begin() + std::ptrdiff_t(got), decoded.end(), std::uint8_t(0));
        for (int r = 0; r < strip.rows; ++r) {
            std::uint8_t* const imageRow = m_image.row(strip.firstRow + r);
            const std::span<std::uint8_t> row(decoded.data() + std::size_t(r) * rowSize, rowSize);
            if (!m_form.camera()) {
                std::memcpy(imageRow, row.data(), rowSize);
                m_form.finish({ imageRow, rowSize }, imageRow);
            } else {
                m_form.finish(row, imageRow);
            }
            if (got < std::size_t(r + 1) * rowSize)
                return;
        }
    }

    // The whole-stream decoder straight into the strip's rows of the block. The block keeps its
    // rows bottom-up, so the strip's rows arrive in the reverse of their stored order; they are
    // swapped into place pairwise and finished there. Rows past a short stream stay zero (a
    // finished zero row is still zero).
    template <class DecodeInto> void decodeInPlace(const LzwStrip& strip, DecodeInto&& decodeInto) const
    {
        const std::size_t rowSize = m_form.fileRowSize();
        const std::size_t rows = std::size_t(strip.rows);
        std::uint8_t* const region = m_image.row(strip.firstRow + strip.rows - 1);
        const std::span<std::uint8_t> block(region, rowSize * rows);
        const std::size_t got = decodeInto(block);
        std::fill(block.begin() + std::ptrdiff_t(got), block.end(), std::uint8_t(0));
        // Rows (in file order) holding decoded bytes; the rest are zero and stay so.
        const std::size_t filled = std::min(rows, (got + rowSize - 1) / rowSize);
        const auto finishSlot = [&](std::size_t slot) {
            if (rows - 1 - slot < filled) {
                std::uint8_t* const row = region + slot * rowSize;
                m_form.finish({ row, rowSize }, row);
            }
        };
        // Each pair is finished right after its swap, while it is still in the cache.
        std::vector<std::uint8_t> spare(rowSize);
        std::size_t low = 0, high = rows - 1;
        for (; low < high; ++low, --high) {
            std::uint8_t* const a = region + low * rowSize;
            std::uint8_t* const b = region + high * rowSize;
            std::memcpy(spare.data(), a, rowSize);
            std::memcpy(a, b, rowSize);
            std::memcpy(b, spare.data(), rowSize);
            finishSlot(low);
            finishSlot(high);
        }
        if (low == high)
            finishSlot(low);
    }

    const RowForm& m_form;
    Image& m_image;
    bool m_plain;
    bool m_inPlace;
    std::size_t m_codeWindow;
};

// The strips that hold the image's rows, each checked to start inside the file.
Result<std::vector<LzwStrip>> lzwStrips(const ByteSource& source, const TiffDirectory& dir, int height)
{
    const std::uint64_t rowsPerStrip
        = dir.stripOffsets.size() == 1 || dir.rowsPerStrip == 0 ? std::uint64_t(height) : dir.rowsPerStrip;
    std::vector<LzwStrip> strips;
    std::uint64_t row = 0;
    for (std::size_t index = 0; index < dir.stripOffsets.size() && row < std::uint64_t(height); ++index) {
        LzwStrip strip;
        strip.offset = dir.stripOffsets[index];
        if (strip.offset > source.size())
            return makeError(ErrorKind::Truncated, "TIFF: strip " + std::to_string(index) + " past the end");
        strip.length = source.size() - strip.offset;
        if (!dir.stripByteCounts.empty())
            strip.length = std::min<std::uint64_t>(strip.length, dir.stripByteCounts[index]);
        strip.firstRow = int(row);
        strip.rows = int(std::min<std::uint64_t>(rowsPerStrip, std::uint64_t(height) - row));
        row += std::uint64_t(strip.rows);
        strips.push_back(strip);
    }
    return strips;
}

// Decodes the LZW strips, spread over the worker threads when there are several: consecutive
// strips are grouped into jobs, each job reads its strips' coded bytes into a buffer of its own
// (a long strip a window at a time).
// The picture is the same however the strips fell. A strip that cannot be read fails the whole
// file; the first such strip is the one reported.
Result<void> readLzwStrips(
    const ByteSource& source, const TiffDirectory& dir, const RowForm& form, Image& image, const TiffDecoding& decoding)
{
    auto listed = lzwStrips(source, dir, image.height());
    if (!listed)
        return listed.error();
    const std::vector<LzwStrip>& strips = *listed;
    const LzwStripDecoder decoder(form, image, decoding);
    const std::uint64_t stripBytes = std::max<std::uint64_t>(1, std::uint64_t(strips.front().rows) * form.fileRowSize());
    const std::size_t perJob = std::size_t(std::clamp<std::uint64_t>(kJobBytes / stripBytes, 1, strips.size()));
    const int jobs = int((strips.size() + perJob - 1) / perJob);
    return runJobsInOrder(decoding.workers, jobs, [&](int index) -> Result<void> {
        std::vector<std::uint8_t> buffer;
        const std::size_t first = std::size_t(index) * perJob;
        for (std::size_t i = first; i < std::min(strips.size(), first + perJob); ++i)
            if (auto decoded = decoder.decode(strips[i], source, buffer); !decoded)
                return decoded.error();
        return {};
    });
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

ReadResult decodeTiff(const ByteSource& source, const Allocator& allocator, const TiffDecoding& decoding)
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

    const RowForm form(dir, width);
    const Result<void> pixels = dir.compression == tiff::kLzw ? readLzwStrips(source, dir, form, *image, decoding)
                                                              : readPlainStrips(source, dir, form, *image, decoding);
    if (!pixels)
        return ReadResult::noImage(pixels.error().message);
    ReadResult result = ReadResult::read(std::move(*image));
    readPhotoMetadata(source, dir, result.photo);
    return result;
}

ReadResult decodeTiff(std::span<const std::uint8_t> file, const Allocator& allocator, const TiffDecoding& decoding)
{
    return decodeTiff(MemoryByteSource(file), allocator, decoding);
}

ReadResult readTiffFile(const std::string& path, const Allocator& allocator, const TiffDecoding& decoding)
{
    auto source = FileByteSource::open(path);
    if (!source)
        return ReadResult::cannotRead("TIFF: " + source.error().message);
    return decodeTiff(*source, allocator, decoding);
}

} // namespace gp
