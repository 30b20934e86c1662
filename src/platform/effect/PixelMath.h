#pragma once
// Small pixel arithmetic shared by the effects: clamping, luminance, per-channel tables and a
// repeatable per-pixel noise for film grain.

#include "RgbPicture.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace gp::effect {

using Table = std::array<std::uint8_t, 256>;

inline std::uint8_t clampByte(int v) { return std::uint8_t(std::clamp(v, 0, 255)); }
inline std::uint8_t clampByte(double v) { return std::uint8_t(std::clamp(v + 0.5, 0.0, 255.0)); }

// Luminance with weights 77, 150 and 29 out of 256.
inline int luminance(int r, int g, int b) { return (77 * r + 150 * g + 29 * b) >> 8; }

// Between a and b by k out of 256.
inline int mix256(int a, int b, int k) { return a + (((b - a) * k) >> 8); }

// The table of a curve given as a function of the value 0..255.
template <typename Curve> Table tableOf(Curve curve)
{
    Table table {};
    for (int v = 0; v < 256; ++v)
        table[std::size_t(v)] = clampByte(double(curve(v)));
    return table;
}

// Runs each pixel through per-channel tables (blue, green, red as the rows store them).
void applyTables(const RgbPicture& s, const RgbPicture& d, const Table& blue, const Table& green, const Table& red);

// A smooth S-shaped contrast curve through (0, 0), (128, 128) and (255, 255), k from 0 (straight)
// to 1 (the full S).
double sCurve(double v, double k);

// Noise in -128..127 that depends only on the position, so a preview and a result agree on the
// grain's pattern at the same scale.
inline int positionNoise(int x, int y)
{
    std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return int((h ^ (h >> 16)) & 0xFF) - 128;
}

} // namespace gp::effect
