#include "editing/transform/Resample.h"

#include "editing/PixelAccess.h"
#include "editing/ResultImage.h"
#include "editing/RowBands.h"
#include "image/ImageType.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace gp {

namespace {

// Per destination column (or row): the first source sample, the second one (the first again
// when the second has weight 0, so nothing past the edge is read) and the first one's weight in
// eighths.
struct Taps {
    std::vector<int> first;
    std::vector<int> second;
    std::vector<int> weight;
};

Taps bilinearTaps(int sourceLength, int length)
{
    Taps taps;
    taps.first.resize(std::size_t(length));
    taps.second.resize(std::size_t(length));
    taps.weight.resize(std::size_t(length));
    const long double ratio = static_cast<long double>(sourceLength) / length;
    long double sum = 0;
    for (int i = 0; i < length; ++i, sum += ratio) {
        int x0 = int(sum);
        int w = 8;
        if (x0 < sourceLength - 1) {
            w = int((x0 + 1 - sum) * 8 + 0.5L);
        } else {
            x0 = sourceLength - 1;
        }
        taps.first[std::size_t(i)] = x0;
        taps.second[std::size_t(i)] = w < 8 ? x0 + 1 : x0;
        taps.weight[std::size_t(i)] = w;
    }
    return taps;
}

std::vector<int> nearestTaps(int sourceLength, int length)
{
    std::vector<int> taps(static_cast<std::size_t>(length));
    const long double ratio = static_cast<long double>(sourceLength) / length;
    long double sum = 0;
    for (int i = 0; i < length; ++i, sum += ratio)
        taps[std::size_t(i)] = std::min(int(sum + 0.5L), sourceLength - 1);
    return taps;
}

// Source rows interpolated horizontally (unrounded, in 1/8 units), kept for the next destination
// row, which often needs the same ones.
class HorizontalRows {
public:
    HorizontalRows(const Image& source, const Taps& columns, int channels)
        : m_source(source)
        , m_columns(columns)
        , m_channels(channels)
    {
        for (auto& slot : m_slots)
            slot.values.resize(columns.first.size() * std::size_t(channels));
    }

    const std::uint16_t* row(int index, int keep)
    {
        for (auto& slot : m_slots)
            if (slot.index == index)
                return slot.values.data();
        Slot& slot = m_slots[0].index == keep ? m_slots[1] : m_slots[0];
        slot.index = index;
        fill(index, slot.values.data());
        return slot.values.data();
    }

private:
    struct Slot {
        int index = -1;
        std::vector<std::uint16_t> values;
    };

    void fill(int index, std::uint16_t* out) const
    {
        const std::uint8_t* src = m_source.storedRow(index);
        const std::size_t n = m_columns.first.size();
        const int c = m_channels;
        for (std::size_t i = 0; i < n; ++i) {
            const int w = m_columns.weight[i];
            const std::uint8_t* a = src + std::size_t(m_columns.first[i]) * c;
            const std::uint8_t* b = src + std::size_t(m_columns.second[i]) * c;
            for (int ch = 0; ch < c; ++ch)
                out[i * c + ch] = std::uint16_t(w * a[ch] + (8 - w) * b[ch]);
        }
    }

    const Image& m_source;
    const Taps& m_columns;
    int m_channels;
    Slot m_slots[2];
};

bool resampleSmooth(const Image& source, Image& result, PixelProgress& progress, WorkerPool* workers)
{
    const int channels = source.bitsPerPixel() / 8;
    const Taps columns = bilinearTaps(source.width(), result.width());
    const Taps rows = bilinearTaps(source.height(), result.height());
    const std::size_t values = std::size_t(result.width()) * std::size_t(channels);
    return runRowBands(workers, result.height(), progress, [&](int first, int end, auto&& beforeRow) {
        // Each band keeps its own interpolated rows, so its bytes do not depend on the others.
        HorizontalRows horizontal(source, columns, channels);
        for (int j = first; j < end; ++j) {
            if (!beforeRow(j))
                return false;
            const int wy = rows.weight[std::size_t(j)];
            const int y0 = rows.first[std::size_t(j)];
            const std::uint16_t* h0 = horizontal.row(y0, -1);
            const std::uint16_t* h1 = wy < 8 ? horizontal.row(rows.second[std::size_t(j)], y0) : h0;
            std::uint8_t* out = result.storedRow(j);
            for (std::size_t i = 0; i < values; ++i)
                out[i] = std::uint8_t((wy * h0[i] + (8 - wy) * h1[i] + 32) >> 6);
        }
        return true;
    });
}

bool resampleNearest(const Image& source, Image& result, PixelProgress& progress, WorkerPool* workers)
{
    const int bits = source.bitsPerPixel();
    const std::vector<int> columns = nearestTaps(source.width(), result.width());
    const std::vector<int> rows = nearestTaps(source.height(), result.height());
    return runRowBands(workers, result.height(), progress, [&](int first, int end, auto&& beforeRow) {
        for (int j = first; j < end; ++j) {
            if (!beforeRow(j))
                return false;
            const std::uint8_t* src = source.storedRow(rows[std::size_t(j)]);
            std::uint8_t* out = result.storedRow(j);
            for (int i = 0; i < result.width(); ++i)
                copyPixel(src, columns[std::size_t(i)], out, i, bits);
        }
        return true;
    });
}

} // namespace

std::int32_t pixelsPerMeter(int dotsPerInch)
{
    const double value = dotsPerInch * 39.37007874015747 + 0.5;
    if (value >= double(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return std::int32_t(value);
}

std::optional<Image> resample(
    const Image& source, int newWidth, int newHeight, int dotsPerInch, const Allocator& allocator, Interrupt interrupt,
    WorkerPool* workers)
{
    if (newWidth <= 0 || newHeight <= 0 || source.width() <= 0 || source.height() <= 0)
        return std::nullopt;
    auto result = allocateLike(source, newWidth, newHeight, allocator);
    if (!result)
        return std::nullopt;
    const std::int32_t ppm = pixelsPerMeter(dotsPerInch);
    result->setResolution(ppm, ppm);
    const int bits = source.bitsPerPixel();
    const bool smooth = bits == 24 || (bits == 8 && isGrayscale(&source));
    PixelProgress progress(allocator.host(), newHeight, interrupt);
    const bool done = smooth ? resampleSmooth(source, *result, progress, workers)
                            : resampleNearest(source, *result, progress, workers);
    if (!done)
        return std::nullopt;
    return result;
}

} // namespace gp
