#pragma once
// The squared normalised radius index shared by the lens and twist effects. In doubled
// coordinates centred on the image (X = 2x − (W − 1), Y = 2y − (H − 1), rows in storage order)
// the index k = (Y²·2^s)/(dh² >> (9 − s)) + (X²·2^s)/(dw² >> (9 − s)) is about
// 512·((X/dw)² + (Y/dh)²), with dw = W − 1, dh = H − 1 and s chosen so the products stay within
// 31 bits; k ≥ 512 lies outside the inscribed ellipse. The two terms are kept per column and row.
// The lens and twist effects run as one remap over this index.

#include "editing/effects/FilterSupport.h"

#include <cstring>
#include <utility>
#include <vector>

namespace gp {

class EllipseRadius {
public:
    EllipseRadius(int width, int height);

    int centredColumn(int x) const { return 2 * x - (m_width - 1); }
    int centredRow(int y) const { return 2 * y - (m_height - 1); }
    long long columnTerm(int x) const { return m_columnTerms[std::size_t(x)]; }
    long long rowTerm(int y) const { return m_rowTerms[std::size_t(y)]; }
    long long index(int x, int y) const { return columnTerm(x) + rowTerm(y); }

private:
    static long long term(long long centred, long long span, int shift);

    int m_width;
    int m_height;
    std::vector<long long> m_columnTerms;
    std::vector<long long> m_rowTerms;
};

// The lens and twist remap, as a row job: every pixel inside the ellipse (k < 512) takes the
// source pixel at the position map(X, Y, k) gives for its centred coordinates and its index (k
// raised to at least 1). The answer is a pair of centred coordinates in units of 1/16384, moved
// back to pixels and clamped to the image. Pixels outside the ellipse are copied unchanged.
template <class Map>
std::optional<Image> remapInsideEllipse(const Image& source, const FilterRun& run, Map&& map)
{
    const int width = source.width(), height = source.height();
    const int ch = channelsOf(source);
    const EllipseRadius radius(width, height);
    const long long centreX = static_cast<long long>(width) * 16384 - 8192;
    const long long centreY = static_cast<long long>(height) * 16384 - 8192;
    return runRowJob(source, run, [&](int y, std::uint8_t* out) {
        const long long bigY = radius.centredRow(y);
        const std::uint8_t* own = source.storedRow(y);
        for (int x = 0; x < width; ++x, out += ch) {
            const long long k = radius.index(x, y);
            const std::uint8_t* in = own + std::size_t(x) * std::size_t(ch);
            if (k < 512) {
                const std::pair<long long, long long> mapped
                    = map(static_cast<long long>(radius.centredColumn(x)), bigY, std::size_t(std::max(k, 1LL)));
                const int column = int(std::clamp<long long>((mapped.first + centreX) >> 15, 0, width - 1));
                const int row = int(std::clamp<long long>((mapped.second + centreY) >> 15, 0, height - 1));
                in = source.storedRow(row) + std::size_t(column) * std::size_t(ch);
            }
            std::memcpy(out, in, std::size_t(ch));
        }
    });
}

} // namespace gp
