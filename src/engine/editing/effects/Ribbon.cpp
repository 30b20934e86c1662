#include "editing/effects/Ribbon.h"

#include "editing/effects/FilterSupport.h"
#include "editing/NearestIndex.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace gp {

std::optional<Image> ribbon(const Image& source, int waves, int strength, Rgb active, const FilterRun& run)
{
    const int width = source.width(), height = source.height();
    const int ch = channelsOf(source);
    const int amplitude = int(static_cast<long long>(strength) * height * 3 / 400);
    std::vector<int> shift(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        shift[std::size_t(x)] = int(amplitude * (std::cos((waves * 0.1 / width) * x * 3.14159265) + 1) * 0.5);
    std::uint8_t fill[3];
    if (ch == 3) {
        fill[0] = clampByte(active.blue);
        fill[1] = clampByte(active.green);
        fill[2] = clampByte(active.red);
    } else {
        fill[0] = std::uint8_t(nearestPaletteIndex(source, active));
    }
    return runRowJob(source, run, [&](int y, std::uint8_t* out) {
        for (int x = 0; x < width; ++x, out += ch) {
            const int from = y - shift[std::size_t(x)];
            if (from >= 0 && from <= height - amplitude - 1)
                std::memcpy(out, source.storedRow(from) + std::size_t(x) * std::size_t(ch), std::size_t(ch));
            else
                std::memcpy(out, fill, std::size_t(ch));
        }
    });
}

} // namespace gp
