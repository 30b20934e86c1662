#include "editing/effects/Cylinder.h"

#include "editing/effects/FilterSupport.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace gp {

std::optional<Image> cylinder(const Image& source, int strength, const FilterRun& run)
{
    const int width = source.width();
    const int ch = channelsOf(source);
    std::vector<int> column(static_cast<std::size_t>(width));
    std::vector<int> fraction(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        double sx = 0;
        if (width >= 2) {
            const double u = 2.0 * x / width - 1;
            sx = (1 - 0.02 * strength) * x + 0.02 * strength * width * (0.5 + std::asin(u) * 0.31830988654751274) + 0.5;
        }
        const int ix = clampInt(int(sx), 0, width - 1);
        column[std::size_t(x)] = ix;
        // Past the right edge both samples are the last column, so the weight does not matter;
        // limiting it keeps the blend within the two pixels.
        fraction[std::size_t(x)] = clampInt(int((sx - ix) * 256), 0, 256);
    }
    return runRowJob(source, run, [&](int y, std::uint8_t* out) {
        const std::uint8_t* in = source.storedRow(y);
        for (int x = 0; x < width; ++x) {
            const int ix = column[std::size_t(x)], f = fraction[std::size_t(x)];
            const std::uint8_t* left = in + std::size_t(ix) * std::size_t(ch);
            const std::uint8_t* right = in + std::size_t(std::min(ix + 1, width - 1)) * std::size_t(ch);
            for (int k = 0; k < ch; ++k)
                *out++ = std::uint8_t(std::min(255, ((256 - f) * left[k] + f * right[k]) >> 8));
        }
    });
}

} // namespace gp
