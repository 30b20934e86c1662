#pragma once
// PhotoYCC, the colour encoding of Photo CD and of FlashPix's PhotoYCC images, to display RGB:
// L = 1.3584·Y, C1 = 2.2179·(C1 − 156), C2 = 1.8215·(C2 − 137);
// R = L + C2, G = L − 0.194·C1 − 0.509·C2, B = L + C1, each rounded and clipped to 0..255
// (the encoding holds highlights above display white, which are clipped).

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace gp::ycc {

struct Rgb {
    std::uint8_t red, green, blue;
};

inline std::uint8_t clampToByte(double v)
{
    return std::uint8_t(std::clamp(std::lround(v), 0L, 255L));
}

inline Rgb toRgb(int luma, int c1, int c2)
{
    const double l = 1.3584 * luma;
    const double chroma1 = 2.2179 * (c1 - 156);
    const double chroma2 = 1.8215 * (c2 - 137);
    return { clampToByte(l + chroma2), clampToByte(l - 0.194 * chroma1 - 0.509 * chroma2), clampToByte(l + chroma1) };
}

inline std::uint8_t toGray(int luma)
{
    return clampToByte(1.3584 * luma);
}

} // namespace gp::ycc
