#include "editing/effects/Splash.h"

#include "editing/effects/FilterSupport.h"

#include <cstdint>

namespace gp {

std::optional<Image> splash(const Image& source, int spread, ClassicRandom& random, const FilterRun& run)
{
    const int a = clampInt(spread, 1, 50) + 1;
    const int half = a / 2;
    const int ch = channelsOf(source);
    const int width = source.width(), height = source.height();
    return runRowJob(source, run, RowOrder::Sequential, [&](int y, std::uint8_t* out) {
        for (int x = 0; x < width; ++x, out += ch) {
            const int column = clampInt(x + half - random.next() % a, 0, width - 1);
            const int row = clampInt(y + half - random.next() % a, 0, height - 1);
            const std::uint8_t* in = source.storedRow(row) + std::size_t(column) * std::size_t(ch);
            std::copy(in, in + ch, out);
        }
    });
}

} // namespace gp
