#include "editing/effects/FilmGrain.h"

#include "editing/effects/FilterSupport.h"

#include <cstdint>

namespace gp {

std::optional<Image> filmGrain(const Image& source, int amount, ClassicRandom& random, const FilterRun& run)
{
    if (!isFilterable(source))
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto result = blankLike(source, run.allocator);
    if (!result)
        return std::nullopt;
    const int range = clampInt(amount, 1, 100) + 1;
    const int ch = channelsOf(source);
    FilterProgress progress(run, source.height());
    for (int y = 0; y < source.height(); ++y) {
        if (!progress.beforeRow(y))
            return std::nullopt;
        const std::uint8_t* in = source.storedRow(y);
        std::uint8_t* out = result->storedRow(y);
        for (int x = 0; x < source.width(); ++x) {
            const int grain = range / 2 - random.next() % range;
            for (int k = 0; k < ch; ++k, ++in, ++out)
                *out = clampByte(*in + grain);
        }
    }
    progress.finish();
    return result;
}

} // namespace gp
