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
    // Stored rows are evenly spaced; row y − 1 lies one stride before row y.
    const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(result->rowSize());
    constexpr int kAhead = 6;
    for (long long drop = 0; drop < drops; ++drop) {
        if (drop % 1280 == 0 && !progress.beforeRow(int(drop / 1280)))
            return std::nullopt;
        const int x = random.next() % width;
        int y = random.next() % height;
        // The drop walks down its column, one picture row (a cache miss) a step; the rows it may
        // reach next are fetched ahead, and the moving pixel's brightness is fixed on the way.
        std::uint8_t* moving = result->storedRow(y) + std::size_t(x) * std::size_t(ch);
        if (y > 1) {
            const int bright = brightness(moving);
            while (y > 1) {
                if (y > kAhead)
                    __builtin_prefetch(moving - kAhead * stride);
                std::uint8_t* below = moving - stride;
                if (brightness(below) < bright)
                    break;
                std::swap_ranges(moving, moving + ch, below);
                moving = below;
                --y;
            }
        }
    }
    progress.finish();
    return result;
}

} // namespace gp
