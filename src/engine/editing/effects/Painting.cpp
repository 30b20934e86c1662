#include "editing/effects/Painting.h"

#include "editing/effects/FilterSupport.h"

#include <array>
#include <cstdint>
#include <vector>

namespace gp {

std::optional<Image> painting(const Image& source, int radius, const FilterRun& run)
{
    const int a = std::max(0, radius);
    const int ch = channelsOf(source);
    const int width = source.width(), height = source.height();
    // The window of source rows and the colour counts belong to one row, so rows can be worked
    // on several threads at once.
    return runRowJob(source, run, [&](int y, std::uint8_t* out) {
        std::vector<const std::uint8_t*> window(std::size_t(2 * a + 1));
        std::array<std::array<int, 32>, 3> bins {};
        const auto addColumn = [&](int column, int delta) {
            const std::size_t offset = std::size_t(clampInt(column, 0, width - 1)) * std::size_t(ch);
            for (const std::uint8_t* line : window)
                for (int k = 0; k < ch; ++k)
                    bins[std::size_t(k)][line[offset + std::size_t(k)] >> 3] += delta;
        };
        for (int i = -a; i <= a; ++i)
            window[std::size_t(i + a)] = source.storedRow(clampInt(y + i, 0, height - 1));
        for (int column = -a; column <= a; ++column)
            addColumn(column, 1);
        for (int x = 0; x < width; ++x) {
            if (x > 0) {
                addColumn(x - a - 1, -1);
                addColumn(x + a, 1);
            }
            for (int k = 0; k < ch; ++k) {
                const auto& count = bins[std::size_t(k)];
                int best = 0;
                for (int bin = 1; bin < 32; ++bin)
                    if (count[std::size_t(bin)] > count[std::size_t(best)])
                        best = bin;
                *out++ = std::uint8_t(best * 8);
            }
        }
    });
}

} // namespace gp
