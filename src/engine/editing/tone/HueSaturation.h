#pragma once
// Hue and Saturation: turns every colour's hue by h degrees (−180..180) in the six sectors of
// the colour wheel, keeping its largest and smallest channel, then moves each channel toward the
// largest by s percent of the distance (s = 100 gives a gray at the largest channel, negative s
// pushes away from it). Integer arithmetic throughout: a table of multiples of 60 and two
// 128-scaled saturation tables; only the sector needs two divisions per pixel. Accepts 24-bit
// images (every pixel) and indexed 8- and 4-bit images (the palette; pixels are copied); returns
// nothing for grayscale and 1-bit images, when h = s = 0, on Escape or without memory.

#include "editing/FilterRun.h"

#include <array>
#include <cstdint>
#include <optional>

namespace gp {

class HueSaturationMap {
public:
    HueSaturationMap(int hue, int saturation);
    // Transforms one colour in place.
    void apply(std::uint8_t& blue, std::uint8_t& green, std::uint8_t& red) const;

private:
    int m_hue;
    bool m_saturate;
    std::array<int, 256> m_times60 {};
    std::array<int, 256> m_toward {}; // r(i) = (128·i·s + 50) / 100
    std::array<int, 256> m_keep {}; // q(i) = 128·i − r(i)
};

std::optional<Image> hueSaturation(const Image& source, int hue, int saturation, const FilterRun& run);

} // namespace gp
