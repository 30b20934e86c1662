#include "editing/effects/Sketch.h"

#include "editing/effects/FilterSupport.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace gp {

std::optional<Image> sketch(const Image& source, int threshold, const FilterRun& run)
{
    const int ch = channelsOf(source);
    const int width = source.width(), height = source.height();
    const std::size_t lineBytes = std::size_t(width) * std::size_t(ch);
    return runRowJob(source, run, [&](int y, std::uint8_t* out) {
        std::memset(out, 255, lineBytes);
        if (y == 0 || y == height - 1)
            return;
        const std::uint8_t* below = source.storedRow(y - 1);
        const std::uint8_t* here = source.storedRow(y);
        const std::uint8_t* above = source.storedRow(y + 1);
        for (std::size_t i = std::size_t(ch); i + std::size_t(ch) < lineBytes; ++i) {
            const std::size_t l = i - std::size_t(ch), r = i + std::size_t(ch);
            const int v = (above[l] + 2 * above[i] + above[r]) - (below[l] + 2 * below[i] + below[r]);
            const int h = (below[r] + 2 * here[r] + above[r]) - (below[l] + 2 * here[l] + above[l]);
            const int strength = std::min(std::abs(v), 255) + std::abs(h);
            const int edge = strength < threshold ? 0 : std::min(strength, 255);
            out[i] = std::uint8_t(255 - edge);
        }
    });
}

} // namespace gp
