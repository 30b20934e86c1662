#pragma once
// The colours a paint hands to the screen: the 216-colour cube used on 8-bit screens, the eight
// corner colours used on screens of fewer bits, and the ordered-dither table that maps a
// gamma-corrected 24-bit pixel to a cube index with three look-ups.

#include "image/Image.h"
#include "image/GammaTables.h"

#include <array>
#include <cstdint>
#include <vector>

namespace gp {

// Entry i: red (i mod 6) × 51, green ((i / 6) mod 6) × 51, blue (i / 36) × 51.
std::array<Rgbq, 216> cubePalette();
inline int cubeIndex(int redLevel, int greenLevel, int blueLevel)
{
    return redLevel + 6 * greenLevel + 36 * blueLevel;
}

// Entry k: red 255 when bit 0 of k is set, green when bit 1, blue when bit 2.
std::array<Rgbq, 8> cornerPalette();
// The corner colour nearest to a pixel: each channel is on from 128 upwards.
inline int nearestCorner(int red, int green, int blue)
{
    return (red >= 128 ? 1 : 0) | (green >= 128 ? 2 : 0) | (blue >= 128 ? 4 : 0);
}

// The 8 × 8 ordered-dither thresholds, row by row.
extern const std::array<std::uint8_t, 64> kDitherMatrix;

class DitherTable {
public:
    // Built through the gamma tables: for each cell of the matrix and each input level of each
    // channel, that channel's contribution to the cube index.
    explicit DitherTable(const std::array<GammaTable, 3>& gamma);

    // The cube index of a pixel at screen column x and row y.
    std::uint8_t index(int x, int y, std::uint8_t red, std::uint8_t green, std::uint8_t blue) const
    {
        const std::size_t cell = std::size_t((y & 7) * 8 + (x & 7)) * 256;
        return std::uint8_t(m_red[cell + red] + m_green[cell + green] + m_blue[cell + blue]);
    }

private:
    std::vector<std::uint8_t> m_red, m_green, m_blue;
};

// The colour table of an indexed image passed through the gamma tables (blue through the blue
// table and so on): the display palette of mode 0.
std::vector<Rgbq> gammaPalette(const Image& image, const std::array<GammaTable, 3>& gamma);

} // namespace gp
