#include "SoftCopy.h"

#include "PixelMath.h"

#include <algorithm>

namespace gp::effect {

SoftCopy::SoftCopy(const RgbPicture& source, int factor, int radius, int levels)
    : m_factor(std::max(1, factor))
    , m_width((source.width + m_factor - 1) / m_factor)
    , m_height((source.height + m_factor - 1) / m_factor)
    , m_pixels(3 * std::size_t(m_width) * std::size_t(m_height))
{
    // Average each factor × factor block (smaller at the right and bottom edges).
    std::vector<int> sums(3 * std::size_t(m_width));
    for (int by = 0; by < m_height; ++by) {
        std::fill(sums.begin(), sums.end(), 0);
        const int y0 = by * m_factor;
        const int y1 = std::min(y0 + m_factor, source.height);
        for (int y = y0; y < y1; ++y) {
            const std::uint8_t* in = source.row(y);
            for (int bx = 0; bx < m_width; ++bx) {
                int* sum = &sums[3 * std::size_t(bx)];
                const int x1 = std::min((bx + 1) * m_factor, source.width);
                for (int x = bx * m_factor; x < x1; ++x) {
                    sum[0] += in[3 * x];
                    sum[1] += in[3 * x + 1];
                    sum[2] += in[3 * x + 2];
                }
            }
        }
        std::uint8_t* out = m_pixels.data() + 3 * std::size_t(by) * std::size_t(m_width);
        for (int bx = 0; bx < m_width; ++bx) {
            const int count = (std::min((bx + 1) * m_factor, source.width) - bx * m_factor) * (y1 - y0);
            for (int c = 0; c < 3; ++c)
                out[3 * bx + c] = std::uint8_t(sums[3 * std::size_t(bx) + std::size_t(c)] / count);
        }
    }
    if (radius > 0) {
        for (int pass = 0; pass < 2; ++pass) {
            blurRows(radius);
            blurColumns(radius);
        }
    }
    if (levels > 1) {
        for (auto& v : m_pixels)
            v = std::uint8_t(int(v * (levels - 1) / 255.0 + 0.5) * 255 / (levels - 1));
    }
}

SoftCopy SoftCopy::ofRadius(const RgbPicture& source, int fullRadius)
{
    // About four reduced pixels of radius keep the box blur smooth.
    const int factor = std::max(1, fullRadius / 4);
    return SoftCopy(source, factor, std::max(1, fullRadius / factor));
}

void SoftCopy::blurRows(int radius)
{
    std::vector<std::uint8_t> line(3 * std::size_t(m_width));
    const int span = 2 * radius + 1;
    for (int y = 0; y < m_height; ++y) {
        std::uint8_t* row = m_pixels.data() + 3 * std::size_t(y) * std::size_t(m_width);
        std::copy(row, row + line.size(), line.begin());
        for (int c = 0; c < 3; ++c) {
            // Running sum over the window, the edge pixels repeated beyond the ends.
            const auto at = [&](int x) { return int(line[3 * std::size_t(std::clamp(x, 0, m_width - 1)) + std::size_t(c)]); };
            int sum = 0;
            for (int x = -radius; x <= radius; ++x)
                sum += at(x);
            for (int x = 0; x < m_width; ++x) {
                row[3 * x + c] = std::uint8_t(sum / span);
                sum += at(x + radius + 1) - at(x - radius);
            }
        }
    }
}

void SoftCopy::blurColumns(int radius)
{
    const std::size_t stride = 3 * std::size_t(m_width);
    const std::vector<std::uint8_t> copy = m_pixels;
    const int span = 2 * radius + 1;
    std::vector<int> sums(stride, 0);
    const auto rowAt = [&](int y) { return copy.data() + std::size_t(std::clamp(y, 0, m_height - 1)) * stride; };
    for (int y = -radius; y <= radius; ++y) {
        const std::uint8_t* r = rowAt(y);
        for (std::size_t i = 0; i < stride; ++i)
            sums[i] += r[i];
    }
    for (int y = 0; y < m_height; ++y) {
        std::uint8_t* out = m_pixels.data() + std::size_t(y) * stride;
        const std::uint8_t* entering = rowAt(y + radius + 1);
        const std::uint8_t* leaving = rowAt(y - radius);
        for (std::size_t i = 0; i < stride; ++i) {
            out[i] = std::uint8_t(sums[i] / span);
            sums[i] += entering[i] - leaving[i];
        }
    }
}

void SoftCopy::saturate(int percent)
{
    for (std::size_t i = 0; i + 2 < m_pixels.size(); i += 3) {
        const int b = m_pixels[i];
        const int g = m_pixels[i + 1];
        const int r = m_pixels[i + 2];
        const int y = luminance(r, g, b);
        m_pixels[i] = clampByte(y + (b - y) * percent / 100);
        m_pixels[i + 1] = clampByte(y + (g - y) * percent / 100);
        m_pixels[i + 2] = clampByte(y + (r - y) * percent / 100);
    }
}

} // namespace gp::effect
