#include "editing/effects/Sharpen.h"

#include "editing/effects/FilterSupport.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace gp {

namespace {

// The division table of the box means and what a difference adds, shared by both forms.
struct SharpenTables {
    int s = 2;
    int half = 1;
    std::vector<std::uint8_t> mean;
    std::array<int, 511> lift {}; // indexed by the difference + 255

    SharpenTables(int box, int amount, int threshold)
        : s(std::max(2, box))
        , half(s / 2)
        , mean(std::size_t(256 * s))
    {
        for (int sum = 0; sum < 256 * s; ++sum)
            mean[std::size_t(sum)] = std::uint8_t((sum + half) / s);
        std::array<int, 256> gain {};
        for (int d = 0; d < 256; ++d)
            gain[std::size_t(d)] = d < threshold ? 0 : (50 + amount * d) / 100;
        for (int d = -255; d <= 255; ++d)
            lift[std::size_t(d + 255)] = d >= 0 ? gain[std::size_t(d)] : -gain[std::size_t(-d - 1)];
    }
};

// One band of rows: the horizontal box means go into a ring of s rows (row r in slot r mod s)
// just before the vertical sums need them, so no picture-sized intermediate is held. The
// vertical sum of each row adds its s mean rows afresh, which gives the running sum's values.
class SharpenBand {
public:
    SharpenBand(const Image& source, const SharpenTables& tables)
        : m_source(source)
        , m_tables(tables)
        , m_ch(channelsOf(source))
        , m_lineBytes(std::size_t(source.width()) * std::size_t(m_ch))
        , m_ring(std::size_t(tables.s) * m_lineBytes)
        , m_held(std::size_t(tables.s), -1)
        , m_sums(m_lineBytes)
    {
    }

    void row(int y, std::uint8_t* out)
    {
        const int height = m_source.height();
        std::fill(m_sums.begin(), m_sums.end(), 0);
        for (int j = 0; j < m_tables.s; ++j) {
            const std::uint8_t* means = meansOf(clampInt(y - m_tables.half + j, 0, height - 1));
            for (std::size_t i = 0; i < m_lineBytes; ++i)
                m_sums[i] += means[i];
        }
        const std::uint8_t* in = m_source.storedRow(y);
        for (std::size_t i = 0; i < m_lineBytes; ++i) {
            const int blurred = m_tables.mean[std::size_t(m_sums[i])];
            out[i] = clampByte(in[i] + m_tables.lift[std::size_t(in[i] - blurred + 255)]);
        }
    }

private:
    // The horizontal box means of source row r, from the ring or made now.
    const std::uint8_t* meansOf(int r)
    {
        const std::size_t slot = std::size_t(r % m_tables.s);
        std::uint8_t* out = m_ring.data() + slot * m_lineBytes;
        if (m_held[slot] == r)
            return out;
        const int width = m_source.width(), s = m_tables.s, half = m_tables.half, ch = m_ch;
        const std::uint8_t* in = m_source.storedRow(r);
        const auto at = [ch](int x, int k) { return std::size_t(x) * std::size_t(ch) + std::size_t(k); };
        for (int k = 0; k < ch; ++k) {
            int sum = 0;
            for (int j = 0; j < s; ++j)
                sum += in[at(clampInt(j - half, 0, width - 1), k)];
            for (int x = 0; x < width; ++x) {
                out[at(x, k)] = m_tables.mean[std::size_t(sum)];
                sum += in[at(clampInt(x - half + s, 0, width - 1), k)] - in[at(clampInt(x - half, 0, width - 1), k)];
            }
        }
        m_held[slot] = r;
        return out;
    }

    const Image& m_source;
    const SharpenTables& m_tables;
    int m_ch;
    std::size_t m_lineBytes;
    std::vector<std::uint8_t> m_ring;
    std::vector<int> m_held;
    std::vector<int> m_sums;
};

} // namespace

std::optional<Image> sharpen(const Image& source, int box, int amount, int threshold, const FilterRun& run)
{
    const SharpenTables tables(box, amount, threshold);
    // One pass does both directions; progress every 8 rows shows the steps that two passes with
    // progress every 16 rows would.
    return runBandJob(
        source, run, RowOrder::Any, 8, [&] { return SharpenBand(source, tables); },
        [](SharpenBand& band, int y, std::uint8_t* out) { band.row(y, out); });
}

std::optional<Image> sharpenTwoPass(const Image& source, int box, int amount, int threshold, const FilterRun& run)
{
    if (!isFilterable(source))
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto means = blankLike(source, run.allocator);
    if (!means)
        return std::nullopt;
    auto result = blankLike(source, run.allocator);
    if (!result)
        return std::nullopt;

    const int s = std::max(2, box);
    const int half = s / 2;
    std::vector<std::uint8_t> mean(std::size_t(256 * s));
    for (int sum = 0; sum < 256 * s; ++sum)
        mean[std::size_t(sum)] = std::uint8_t((sum + half) / s);
    std::array<int, 256> gain {};
    for (int d = 0; d < 256; ++d)
        gain[std::size_t(d)] = d < threshold ? 0 : (50 + amount * d) / 100;
    // What a difference of d (−255..255) adds, indexed by d + 255.
    std::array<int, 511> lift {};
    for (int d = -255; d <= 255; ++d)
        lift[std::size_t(d + 255)] = d >= 0 ? gain[std::size_t(d)] : -gain[std::size_t(-d - 1)];

    const int ch = channelsOf(source);
    const int width = source.width(), height = source.height();
    const std::size_t lineBytes = std::size_t(width) * std::size_t(ch);
    const auto at = [ch](int x, int k) { return std::size_t(x) * std::size_t(ch) + std::size_t(k); };

    FilterProgress first(run, height, 0, 50);
    for (int y = 0; y < height; ++y) {
        if (!first.beforeRow(y))
            return std::nullopt;
        const std::uint8_t* in = source.storedRow(y);
        std::uint8_t* out = means->storedRow(y);
        for (int k = 0; k < ch; ++k) {
            int sum = 0;
            for (int j = 0; j < s; ++j)
                sum += in[at(clampInt(j - half, 0, width - 1), k)];
            for (int x = 0; x < width; ++x) {
                out[at(x, k)] = mean[std::size_t(sum)];
                sum += in[at(clampInt(x - half + s, 0, width - 1), k)] - in[at(clampInt(x - half, 0, width - 1), k)];
            }
        }
    }

    std::vector<int> sums(lineBytes, 0);
    for (int j = 0; j < s; ++j) {
        const std::uint8_t* row = means->storedRow(clampInt(j - half, 0, height - 1));
        for (std::size_t i = 0; i < lineBytes; ++i)
            sums[i] += row[i];
    }
    FilterProgress second(run, height, 50, 100);
    for (int y = 0; y < height; ++y) {
        if (!second.beforeRow(y))
            return std::nullopt;
        const std::uint8_t* in = source.storedRow(y);
        std::uint8_t* out = result->storedRow(y);
        for (std::size_t i = 0; i < lineBytes; ++i) {
            const int blurred = mean[std::size_t(sums[i])];
            out[i] = clampByte(in[i] + lift[std::size_t(in[i] - blurred + 255)]);
        }
        const std::uint8_t* entering = means->storedRow(clampInt(y - half + s, 0, height - 1));
        const std::uint8_t* leaving = means->storedRow(clampInt(y - half, 0, height - 1));
        for (std::size_t i = 0; i < lineBytes; ++i)
            sums[i] += entering[i] - leaving[i];
    }
    second.finish();
    return result;
}

} // namespace gp
