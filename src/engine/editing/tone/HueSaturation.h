#pragma once
// Hue and Saturation: turns every colour's hue by h degrees (−180..180) in the six sectors of
// the colour wheel, keeping its largest and smallest channel, then moves each channel toward the
// largest by s percent of the distance (s = 100 gives a gray at the largest channel, negative s
// pushes away from it). Integer arithmetic throughout: a table of multiples of 60 and two
// 128-scaled saturation tables; the sector is a division by 60·d (d the channels' spread), done
// as a multiplication by a tabled reciprocal that gives the exact quotient. Accepts 24-bit
// images (every pixel) and indexed 8- and 4-bit images (the palette; pixels are copied); returns
// nothing for grayscale and 1-bit images, when h = s = 0, on Escape or without memory.

#include "editing/FilterRun.h"

#include <array>
#include <cstdint>
#include <optional>

namespace gp {

// v / (60·d) for 0 <= v < 480·d and 1 <= d <= 255, the range the hue turn produces, without a
// division instruction: (v · ceil(2^48 / 60d)) >> 48 is exact there because the rounding error
// of the reciprocal times v stays below 2^48 / 60d.
class SectorDivision {
public:
    SectorDivision();
    int quotient(int v, int d) const
    {
        return int((std::uint64_t(v) * m_reciprocal[std::size_t(d)]) >> 48);
    }

private:
    std::array<std::uint64_t, 256> m_reciprocal {};
};

class HueSaturationMap {
public:
    HueSaturationMap(int hue, int saturation);
    // Transforms one colour in place.
    void apply(std::uint8_t& blue, std::uint8_t& green, std::uint8_t& red) const;
    // apply() over `count` pixels of a 24-bit row, from `in` to `out` (vectorised).
    void applyRow(const std::uint8_t* in, std::uint8_t* out, int count) const;
    // The same with the branches and divisions written out, kept as the reference of apply().
    void applyPlain(std::uint8_t& blue, std::uint8_t& green, std::uint8_t& red) const;

private:
    int m_hue;
    int m_saturation;
    bool m_saturate;
    SectorDivision m_sector;
    std::array<int, 256> m_times60 {};
    std::array<int, 256> m_toward {}; // r(i) = (128·i·s + 50) / 100
    std::array<int, 256> m_keep {}; // q(i) = 128·i − r(i)
};

std::optional<Image> hueSaturation(const Image& source, int hue, int saturation, const FilterRun& run);

} // namespace gp
