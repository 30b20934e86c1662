#include "editing/effects/Wrinkle.h"

#include "editing/effects/FilterSupport.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace gp {

std::optional<Image> wrinkle(const Image& source, int strength, ClassicRandom& random, Rgb active, const FilterRun& run)
{
    if (!isFilterable(source))
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto result = blankLike(source, run.allocator);
    if (!result)
        return std::nullopt;
    const int width = source.width(), height = source.height();
    const int ch = channelsOf(source);
    const int chance = 5 * clampInt(strength, 1, 100);
    const auto step = [&](int walk) {
        const int r = random.next() % 1000;
        if (r < chance)
            return walk + 1;
        if (r > 1000 - chance)
            return walk - 1;
        return walk;
    };
    std::vector<int> vertical(static_cast<std::size_t>(width));
    int v = 0;
    for (int x = 0; x < width; ++x)
        vertical[std::size_t(x)] = v = step(v);

    std::uint8_t fill[3];
    if (ch == 3) {
        fill[0] = clampByte(active.blue);
        fill[1] = clampByte(active.green);
        fill[2] = clampByte(active.red);
    } else {
        fill[0] = clampByte(active.red);
    }
    int h = 0;
    FilterProgress progress(run, height);
    for (int y = 0; y < height; ++y) {
        if (!progress.beforeRow(y))
            return std::nullopt;
        h = step(h);
        std::uint8_t* out = result->storedRow(y);
        for (int x = 0; x < width; ++x, out += ch) {
            const int column = x + h, row = y + vertical[std::size_t(x)];
            if (column >= 0 && column < width && row >= 0 && row < height)
                std::memcpy(out, source.storedRow(row) + std::size_t(column) * std::size_t(ch), std::size_t(ch));
            else
                std::memcpy(out, fill, std::size_t(ch));
        }
    }
    progress.finish();
    return result;
}

} // namespace gp
