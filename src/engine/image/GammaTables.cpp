#include "image/GammaTables.h"

#include <algorithm>
#include <cmath>

namespace gp {

GammaTable makeGammaTable(int gammaTimes1000)
{
    const double gamma = std::clamp(gammaTimes1000 * 0.001, 0.001, 16.0);
    GammaTable table{};
    for (int i = 0; i < 256; ++i)
        table[std::size_t(i)] = static_cast<std::uint8_t>(255.0 * std::pow(i / 255.0, 1.0 / gamma) + 0.5);
    return table;
}

std::array<GammaTable, 3> makeGammaTables(const std::array<int, 3>& gammaTimes1000)
{
    return {makeGammaTable(gammaTimes1000[0]), makeGammaTable(gammaTimes1000[1]), makeGammaTable(gammaTimes1000[2])};
}

} // namespace gp
