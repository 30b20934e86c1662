#include "editing/Painting.h"

#include "editing/FilterSupport.h"

#include <array>
#include <cstdint>
#include <vector>

namespace gp {

std::optional<Image> painting(const Image& source, int radius, const FilterRun& run)
{
    if (!isFilterable(source))
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto result = blankLike(source, run.allocator);
    if (!result)
        return std::nullopt;
    const int a = std::max(0, radius);
    const int ch = channelsOf(source);
    const int width = source.width(), height = source.height();
    std::vector<const std::uint8_t*> window(std::size_t(2 * a + 1));
    std::array<std::array<int, 32>, 3> bins {};

    std::array<int, 3> best {};

    const auto columnOffset = [&](int column) { return std::size_t(clampInt(column, 0, width - 1)) * std::size_t(ch); };
    const auto addColumn = [&](std::size_t offset, int delta) {
        for (const std::uint8_t* line : window)
            for (int k = 0; k < ch; ++k)
                bins[std::size_t(k)][line[offset + std::size_t(k)] >> 3] += delta;
    };
    // The fullest bin, the lowest one among equal counts.
    const auto rescan = [&](int k) {
        const auto& count = bins[std::size_t(k)];
        int fullest = 0;
        for (int bin = 1; bin < 32; ++bin)
            if (count[std::size_t(bin)] > count[std::size_t(fullest)])
                fullest = bin;
        best[std::size_t(k)] = fullest;
    };

    FilterProgress progress(run, height);
    for (int y = 0; y < height; ++y) {
        if (!progress.beforeRow(y))
            return std::nullopt;
        for (int i = -a; i <= a; ++i)
            window[std::size_t(i + a)] = source.storedRow(clampInt(y + i, 0, height - 1));
        bins = {};
        for (int column = -a; column <= a; ++column)
            addColumn(columnOffset(column), 1);
        for (int k = 0; k < ch; ++k)
            rescan(k);
        std::uint8_t* out = result->storedRow(y);
        for (int x = 0; x < width; ++x) {
            if (x > 0) {
                // Only the bins the entering column adds to can overtake the fullest one, unless
                // the fullest one itself lost counts; then all bins are compared again.
                std::array<int, 3> before {};
                for (int k = 0; k < ch; ++k)
                    before[std::size_t(k)] = bins[std::size_t(k)][std::size_t(best[std::size_t(k)])];
                const std::size_t entering = columnOffset(x + a);
                addColumn(columnOffset(x - a - 1), -1);
                addColumn(entering, 1);
                for (int k = 0; k < ch; ++k) {
                    auto& count = bins[std::size_t(k)];
                    int& fullest = best[std::size_t(k)];
                    if (count[std::size_t(fullest)] < before[std::size_t(k)]) {
                        rescan(k);
                        continue;
                    }
                    for (const std::uint8_t* line : window) {
                        const int bin = line[entering + std::size_t(k)] >> 3;
                        if (count[std::size_t(bin)] > count[std::size_t(fullest)]
                            || (count[std::size_t(bin)] == count[std::size_t(fullest)] && bin < fullest))
                            fullest = bin;
                    }
                }
            }
            for (int k = 0; k < ch; ++k)
                *out++ = std::uint8_t(best[std::size_t(k)] * 8);
        }
    }
    progress.finish();
    return result;
}

} // namespace gp
