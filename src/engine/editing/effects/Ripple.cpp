#include "editing/effects/Ripple.h"

#include "editing/effects/FilterSupport.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace gp {

std::vector<int> rippleDisplacements(int strength, int count)
{
    const int q = strength / 2 + 3;
    std::vector<int> displacement(std::size_t(std::max(0, count)));
    for (int i = 0; i < count; ++i) {
        const int amplitude = std::abs(q - i % (2 * q));
        displacement[std::size_t(i)] = int(0.5 + 0.25 * amplitude * std::sin(i * 12.5663706 / q));
    }
    return displacement;
}

std::optional<Image> ripple(const Image& source, int strength, const FilterRun& run)
{
    const int width = source.width(), height = source.height();
    const int ch = channelsOf(source);
    const std::vector<int> d = rippleDisplacements(strength, width + height);
    return runRowJob(source, run, [&](int y, std::uint8_t* out) {
        const int column0 = d[std::size_t(y)];
        for (int x = 0; x < width; ++x, out += ch) {
            const int column = clampInt(x + column0, 0, width - 1);
            const int row = clampInt(y + d[std::size_t(x + y)], 0, height - 1);
            const std::uint8_t* in = source.storedRow(row) + std::size_t(column) * std::size_t(ch);
            std::copy(in, in + ch, out);
        }
    });
}

} // namespace gp
