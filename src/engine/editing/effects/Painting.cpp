#include "editing/effects/Painting.h"

#include "editing/effects/FilterSupport.h"
#include "editing/VectorClones.h"

#include <array>
#include <cstdint>
#include <vector>

namespace gp {

namespace {

constexpr int kBins = 32;

// Adds one column's counts to the window's and takes another's away, every bin of every channel
// (a plain loop the compiler vectorises).
GP_VECTOR_CLONES
void slideWindow(std::uint16_t* __restrict window, const std::uint8_t* __restrict entering,
    const std::uint8_t* __restrict leaving, int values)
{
    for (int i = 0; i < values; ++i)
        window[i] = std::uint16_t(window[i] + entering[i] - leaving[i]);
}

// The fullest bin, the lowest one on a tie.
inline int fullestBin(const std::uint16_t* counts)
{
    std::uint16_t most = 0;
    for (int bin = 0; bin < kBins; ++bin)
        most = std::max(most, counts[bin]);
    int bin = 0;
    while (counts[bin] != most)
        ++bin;
    return bin;
}

// One band of rows. Each column keeps the counts of its 2a + 1 window rows (at most 2a + 1 ≤ 201
// in a bin, so a byte), updated by one row leaving and one entering as the band moves down; the
// window's counts are then the sum of 2a + 1 column counts, updated by one column entering and
// one leaving as the row is walked. The counts are those of the plain form's window, so the
// picture is the same.
class PaintingBand {
public:
    PaintingBand(const Image& source, int a)
        : m_source(source)
        , m_a(a)
        , m_ch(channelsOf(source))
        , m_columns(std::size_t(source.width()) * std::size_t(m_ch) * kBins)
        , m_window(std::size_t(m_ch) * kBins)
    {
    }

    // Rows come in order within a band; the first one counts its whole window.
    void row(int y, std::uint8_t* out)
    {
        const int width = m_source.width(), height = m_source.height();
        if (!m_started) {
            m_started = true;
            std::fill(m_columns.begin(), m_columns.end(), std::uint8_t(0));
            for (int i = -m_a; i <= m_a; ++i)
                countRow(clampInt(y + i, 0, height - 1), 1);
        } else {
            countRow(clampInt(y - 1 - m_a, 0, height - 1), -1);
            countRow(clampInt(y + m_a, 0, height - 1), 1);
        }
        const int values = m_ch * kBins;
        std::fill(m_window.begin(), m_window.end(), std::uint16_t(0));
        for (int column = -m_a; column <= m_a; ++column) {
            const std::uint8_t* counts = columnCounts(clampInt(column, 0, width - 1));
            for (int i = 0; i < values; ++i)
                m_window[std::size_t(i)] = std::uint16_t(m_window[std::size_t(i)] + counts[i]);
        }
        for (int x = 0; x < width; ++x) {
            if (x > 0)
                slideWindow(m_window.data(), columnCounts(clampInt(x + m_a, 0, width - 1)),
                    columnCounts(clampInt(x - m_a - 1, 0, width - 1)), values);
            for (int k = 0; k < m_ch; ++k)
                *out++ = std::uint8_t(fullestBin(m_window.data() + k * kBins) * 8);
        }
    }

private:
    const std::uint8_t* columnCounts(int column) const
    {
        return m_columns.data() + std::size_t(column) * std::size_t(m_ch) * kBins;
    }

    // Adds (delta 1) or removes (−1) source row r's values in every column's counts.
    void countRow(int r, int delta)
    {
        const std::uint8_t* in = m_source.storedRow(r);
        const std::size_t values = std::size_t(m_source.width()) * std::size_t(m_ch);
        for (std::size_t i = 0; i < values; ++i) {
            std::uint8_t& count = m_columns[i * kBins + (in[i] >> 3)];
            count = std::uint8_t(count + delta);
        }
    }

    const Image& m_source;
    int m_a;
    int m_ch;
    std::vector<std::uint8_t> m_columns; // [column][channel][bin]
    std::vector<std::uint16_t> m_window; // [channel][bin]
    bool m_started = false;
};

} // namespace

std::optional<Image> painting(const Image& source, int radius, const FilterRun& run)
{
    // Above 100 a column's count could pass a byte; such radii go the plain way.
    const int a = std::max(0, radius);
    if (a > 100)
        return paintingPlain(source, radius, run);
    return runBandJob(
        source, run, RowOrder::Any, 16, [&] { return PaintingBand(source, a); },
        [](PaintingBand& band, int y, std::uint8_t* out) { band.row(y, out); });
}

std::optional<Image> paintingPlain(const Image& source, int radius, const FilterRun& run)
{
    const int a = std::max(0, radius);
    const int ch = channelsOf(source);
    const int width = source.width(), height = source.height();
    // The window of source rows and the colour counts belong to one row, so rows can be worked
    // on several threads at once.
    return runRowJob(source, run, [&](int y, std::uint8_t* out) {
        std::vector<const std::uint8_t*> window(std::size_t(2 * a + 1));
        std::array<std::array<int, 32>, 3> bins {};
        const auto addColumn = [&](int column, int delta) {
            const std::size_t offset = std::size_t(clampInt(column, 0, width - 1)) * std::size_t(ch);
            for (const std::uint8_t* line : window)
                for (int k = 0; k < ch; ++k)
                    bins[std::size_t(k)][line[offset + std::size_t(k)] >> 3] += delta;
        };
        for (int i = -a; i <= a; ++i)
            window[std::size_t(i + a)] = source.storedRow(clampInt(y + i, 0, height - 1));
        for (int column = -a; column <= a; ++column)
            addColumn(column, 1);
        for (int x = 0; x < width; ++x) {
            if (x > 0) {
                addColumn(x - a - 1, -1);
                addColumn(x + a, 1);
            }
            for (int k = 0; k < ch; ++k) {
                const auto& count = bins[std::size_t(k)];
                int best = 0;
                for (int bin = 1; bin < 32; ++bin)
                    if (count[std::size_t(bin)] > count[std::size_t(best)])
                        best = bin;
                *out++ = std::uint8_t(best * 8);
            }
        }
    });
}

} // namespace gp
