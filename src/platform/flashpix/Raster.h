#pragma once
// The pixels the FlashPix library reads and writes: 8-bit samples, one (gray) or three (red, green,
// blue) per pixel, rows from the top, and the resolution when one is known.

#include <cstdint>
#include <vector>

namespace gp::fpx {

struct Raster {
    int width = 0;
    int height = 0;
    int channels = 3;
    std::vector<std::uint8_t> samples; // width × height × channels
    double dotsPerInch = 0; // 0: unknown

    std::uint8_t* pixel(int x, int y)
    {
        return samples.data() + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * std::size_t(channels);
    }
    const std::uint8_t* pixel(int x, int y) const
    {
        return samples.data() + (std::size_t(y) * std::size_t(width) + std::size_t(x)) * std::size_t(channels);
    }
};

} // namespace gp::fpx
