#pragma once
// The display gamma tables, one per channel: entry i is 255 × (i / 255)^(1 / gamma) + 0.5
// truncated, with gamma = setting × 0.001 clamped to 0.001..16.

#include <array>
#include <cstdint>

namespace gp {

using GammaTable = std::array<std::uint8_t, 256>;

GammaTable makeGammaTable(int gammaTimes1000);
std::array<GammaTable, 3> makeGammaTables(const std::array<int, 3>& gammaTimes1000);

} // namespace gp
