#include "editing/effects/Melting.h"

#include "editing/effects/FilterSupport.h"

#include <cstdint>
#include <cstring>

namespace gp {

std::optional<Image> melting(const Image& source, int amount, ClassicRandom& random, const FilterRun& run)
{
    if (!isFilterable(source))
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto result = blankLike(source, run.allocator);
    if (!result)
        return std::nullopt;
    std::memcpy(result->pixels().data(), source.pixels().data(), source.imageSize());

    const int width = source.width(), height = source.height();
    const int ch = channelsOf(source);
    const auto brightness = [ch](const std::uint8_t* p) { return ch == 3 ? p[0] + p[1] + p[2] : p[0]; };
    const long long drops = static_cast<long long>(amount) * (static_cast<long long>(width) * height / 100);
    const int progressSteps = int(std::min<long long>(drops / 1280 + 1, 1 << 30));
    FilterProgress progress(run, progressSteps, 0, 100, 1);
    for (long long drop = 0; drop < drops; ++drop) {
        if (drop % 1280 == 0 && !progress.beforeRow(int(drop / 1280)))
            return std::nullopt;
        const int x = random.next() % width;
        int y = random.next() % height;
        const std::size_t offset = std::size_t(x) * std::size_t(ch);
        while (y > 1) {
            std::uint8_t* moving = result->storedRow(y) + offset;
            std::uint8_t* below = result->storedRow(y - 1) + offset;
            if (brightness(below) < brightness(moving))
                break;
            std::swap_ranges(moving, moving + ch, below);
            --y;
        }
    }
    progress.finish();
    return result;
}

} // namespace gp
