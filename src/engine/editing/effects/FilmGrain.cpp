#include "editing/effects/FilmGrain.h"

#include "editing/effects/FilterSupport.h"

#include <cstdint>

namespace gp {

std::optional<Image> filmGrain(const Image& source, int amount, ClassicRandom& random, const FilterRun& run)
{
    const int range = clampInt(amount, 1, 100) + 1;
    const int ch = channelsOf(source);
    return runRowJob(source, run, RowOrder::Sequential, [&](int y, std::uint8_t* out) {
        const std::uint8_t* in = source.storedRow(y);
        for (int x = 0; x < source.width(); ++x) {
            const int grain = range / 2 - random.next() % range;
            for (int k = 0; k < ch; ++k, ++in, ++out)
                *out = clampByte(*in + grain);
        }
    });
}

} // namespace gp
