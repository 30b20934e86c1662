#include "editing/effects/Blur.h"

#include "editing/effects/FilterSupport.h"
#include "editing/VectorClones.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace gp {

namespace {

constexpr int kOne = 1 << 20;
constexpr int kHalf = 1 << 19;

using TapTables = std::vector<std::array<std::int32_t, 256>>;

TapTables tapTables(const BlurKernel& kernel)
{
    TapTables tables(std::size_t(kernel.taps));
    for (int i = 0; i < kernel.taps; ++i)
        for (int v = 0; v < 256; ++v)
            tables[std::size_t(i)][std::size_t(v)] = kernel.weights[std::size_t(i)] * v;
    return tables;
}

// Adds every tap's products of its source line to the accumulators and stores the rounded sums,
// in chunks small enough for the accumulators to stay in the first-level cache.
void convolveLine(const TapTables& tables, const std::uint8_t* const* lines, std::size_t count, std::uint8_t* out)
{
    constexpr std::size_t kChunk = 1024;
    std::int32_t sums[kChunk];
    for (std::size_t start = 0; start < count; start += kChunk) {
        const std::size_t length = std::min(kChunk, count - start);
        std::fill(sums, sums + length, kHalf);
        for (std::size_t i = 0; i < tables.size(); ++i) {
            const std::int32_t* table = tables[i].data();
            const std::uint8_t* line = lines[i] + start;
            for (std::size_t j = 0; j < length; ++j)
                sums[j] += table[line[j]];
        }
        for (std::size_t j = 0; j < length; ++j)
            out[start + j] = std::uint8_t(sums[j] >> 20);
    }
}

// The same sums as convolveLine with the products computed rather than looked up, which the
// compiler turns into vector multiplies; weight × value never exceeds 2^28, and the sum of all
// taps stays below 2^31, so the results are bit for bit those of the tables.
GP_VECTOR_CLONES
void multiplyLine(const BlurKernel& kernel, const std::uint8_t* const* lines, std::size_t count, std::uint8_t* out)
{
    constexpr std::size_t kChunk = 1024;
    std::int32_t sums[kChunk];
    for (std::size_t start = 0; start < count; start += kChunk) {
        const std::size_t length = std::min(kChunk, count - start);
        for (std::size_t j = 0; j < length; ++j)
            sums[j] = kHalf;
        // Four taps a sweep, so the accumulators are read and written a quarter as often; each
        // sweep is a plain loop over j that the compiler vectorises.
        int i = 0;
        for (; i + 4 <= kernel.taps; i += 4) {
            const std::int32_t w0 = kernel.weights[std::size_t(i)], w1 = kernel.weights[std::size_t(i + 1)];
            const std::int32_t w2 = kernel.weights[std::size_t(i + 2)], w3 = kernel.weights[std::size_t(i + 3)];
            const std::uint8_t* __restrict l0 = lines[i] + start;
            const std::uint8_t* __restrict l1 = lines[i + 1] + start;
            const std::uint8_t* __restrict l2 = lines[i + 2] + start;
            const std::uint8_t* __restrict l3 = lines[i + 3] + start;
            for (std::size_t j = 0; j < length; ++j)
                sums[j] += w0 * std::int32_t(l0[j]) + w1 * std::int32_t(l1[j]) + w2 * std::int32_t(l2[j])
                    + w3 * std::int32_t(l3[j]);
        }
        for (; i < kernel.taps; ++i) {
            const std::int32_t weight = kernel.weights[std::size_t(i)];
            const std::uint8_t* __restrict line = lines[i] + start;
            for (std::size_t j = 0; j < length; ++j)
                sums[j] += weight * std::int32_t(line[j]);
        }
        std::uint8_t* __restrict target = out + start;
        for (std::size_t j = 0; j < length; ++j)
            target[j] = std::uint8_t(sums[j] >> 20);
    }
}

// One band of rows of the blur: the horizontal pass fills a ring of as many rows as the kernel
// has taps (row r in slot r mod taps) just before the vertical pass needs them, so no picture
// sized intermediate is held. Each band starts its ring empty, so a band's bytes do not depend on
// where the bands were cut.
class BlurBand {
public:
    BlurBand(const Image& source, const BlurKernel& kernel)
        : m_source(source)
        , m_kernel(kernel)
        , m_ch(channelsOf(source))
        , m_lineBytes(std::size_t(source.width()) * std::size_t(m_ch))
        , m_before(kernel.centre)
        , m_after(kernel.taps - 1 - kernel.centre)
        , m_padded(std::size_t(source.width() + m_before + m_after) * std::size_t(m_ch))
        , m_ring(std::size_t(kernel.taps) * m_lineBytes)
        , m_held(std::size_t(kernel.taps), -1)
        , m_lines(std::size_t(kernel.taps))
        , m_taps(std::size_t(kernel.taps))
    {
        // Tap i of the horizontal pass reads the padded row shifted by i pixels.
        for (int i = 0; i < kernel.taps; ++i)
            m_taps[std::size_t(i)] = m_padded.data() + std::size_t(i) * std::size_t(m_ch);
    }

    // Writes the blurred row y into out.
    void row(int y, std::uint8_t* out)
    {
        const int height = m_source.height();
        for (int i = 0; i < m_kernel.taps; ++i)
            m_lines[std::size_t(i)] = across(clampInt(y + i - m_kernel.centre, 0, height - 1));
        multiplyLine(m_kernel, m_lines.data(), m_lineBytes, out);
    }

private:
    // The horizontal pass of source row r, from the ring or made now.
    const std::uint8_t* across(int r)
    {
        const std::size_t slot = std::size_t(r % m_kernel.taps);
        std::uint8_t* line = m_ring.data() + slot * m_lineBytes;
        if (m_held[slot] == r)
            return line;
        const int width = m_source.width();
        const std::uint8_t* in = m_source.storedRow(r);
        const std::size_t ch = std::size_t(m_ch);
        for (int x = 0; x < m_before; ++x)
            std::copy(in, in + ch, m_padded.data() + std::size_t(x) * ch);
        std::copy(in, in + m_lineBytes, m_padded.data() + std::size_t(m_before) * ch);
        const std::uint8_t* last = in + m_lineBytes - ch;
        for (int x = 0; x < m_after; ++x)
            std::copy(last, last + ch, m_padded.data() + std::size_t(m_before + width + x) * ch);
        multiplyLine(m_kernel, m_taps.data(), m_lineBytes, line);
        m_held[slot] = r;
        return line;
    }

    const Image& m_source;
    const BlurKernel& m_kernel;
    int m_ch;
    std::size_t m_lineBytes;
    int m_before;
    int m_after;
    std::vector<std::uint8_t> m_padded;
    std::vector<std::uint8_t> m_ring;
    std::vector<int> m_held;
    std::vector<const std::uint8_t*> m_lines;
    std::vector<const std::uint8_t*> m_taps;
};

} // namespace

BlurKernel blurKernel(int length)
{
    BlurKernel kernel;
    const int n = clampInt(length, 2, 32);
    const int c = n / 2;
    kernel.taps = n;
    kernel.centre = c;
    std::array<double, 32> raw {};
    double total = 0;
    for (int i = 0; i < n; ++i) {
        const double x = double(std::abs(i - c)) / c;
        raw[std::size_t(i)] = std::pow(2.7182818, -2.0 * x * x);
        total += raw[std::size_t(i)];
    }
    const double scale = kOne / total;
    int sum = 0;
    for (int i = 0; i < n; ++i) {
        kernel.weights[std::size_t(i)] = int(scale * raw[std::size_t(i)] + 0.5);
        sum += kernel.weights[std::size_t(i)];
    }
    const int excess = sum - kOne;
    const int m = std::min(std::abs(excess), n);
    for (int i = (n - m) / 2; i < (n - m) / 2 + m; ++i)
        kernel.weights[std::size_t(i)] += excess > 0 ? -1 : 1;
    return kernel;
}

std::optional<Image> blurTwoPass(const Image& source, int length, const FilterRun& run)
{
    if (!isFilterable(source))
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto across = blankLike(source, run.allocator);
    if (!across)
        return std::nullopt;
    auto result = blankLike(source, run.allocator);
    if (!result)
        return std::nullopt;

    const BlurKernel kernel = blurKernel(length);
    const TapTables tables = tapTables(kernel);
    const int ch = channelsOf(source);
    const int width = source.width(), height = source.height();
    const std::size_t lineBytes = std::size_t(width) * std::size_t(ch);
    const int before = kernel.centre, after = kernel.taps - 1 - kernel.centre;
    std::vector<const std::uint8_t*> lines(std::size_t(kernel.taps));

    // Horizontal pass: each row padded with copies of its edge pixels.
    std::vector<std::uint8_t> padded(std::size_t(width + before + after) * std::size_t(ch));
    FilterProgress first(run, height, 0, 50);
    for (int y = 0; y < height; ++y) {
        if (!first.beforeRow(y))
            return std::nullopt;
        const std::uint8_t* in = source.storedRow(y);
        for (int x = -before; x < width + after; ++x) {
            const std::uint8_t* pixel = in + std::size_t(clampInt(x, 0, width - 1)) * std::size_t(ch);
            std::copy(pixel, pixel + ch, padded.data() + std::size_t(x + before) * std::size_t(ch));
        }
        for (int i = 0; i < kernel.taps; ++i)
            lines[std::size_t(i)] = padded.data() + std::size_t(i) * std::size_t(ch);
        convolveLine(tables, lines.data(), lineBytes, across->storedRow(y));
    }

    // Vertical pass over the horizontal result, rows in storage order.
    FilterProgress second(run, height, 50, 100);
    for (int y = 0; y < height; ++y) {
        if (!second.beforeRow(y))
            return std::nullopt;
        for (int i = 0; i < kernel.taps; ++i)
            lines[std::size_t(i)] = across->storedRow(clampInt(y + i - kernel.centre, 0, height - 1));
        convolveLine(tables, lines.data(), lineBytes, result->storedRow(y));
    }
    second.finish();
    return result;
}

std::optional<Image> blur(const Image& source, int length, const FilterRun& run)
{
    const BlurKernel kernel = blurKernel(length);
    // One pass does both directions; progress every 8 rows shows the steps that two passes with
    // progress every 16 rows would.
    return runBandJob(
        source, run, RowOrder::Any, 8, [&] { return BlurBand(source, kernel); },
        [](BlurBand& band, int y, std::uint8_t* out) { band.row(y, out); });
}

} // namespace gp
