#include "editing/effects/Emboss.h"

#include "editing/effects/FilterSupport.h"

#include <cstdint>
#include <cstring>

namespace gp {

std::optional<Image> emboss(const Image& source, int offset, const FilterRun& run)
{
    if (!isFilterable(source))
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto result = blankLike(source, run.allocator);
    if (!result)
        return std::nullopt;
    const int width = source.width(), height = source.height();
    const int ch = channelsOf(source);
    const int d = std::max(0, std::min({ offset, width / 2, height / 2 }));
    FilterProgress progress(run, height);
    for (int y = 0; y < height; ++y) {
        if (!progress.beforeRow(y))
            return std::nullopt;
        std::uint8_t* out = result->storedRow(y);
        std::memset(out, 128, std::size_t(width) * std::size_t(ch));
        if (y < d || y >= height - d)
            continue;
        const std::uint8_t* in = source.storedRow(y);
        for (int x = d; x < width - d; ++x) {
            const std::uint8_t* here = in + std::size_t(x) * std::size_t(ch);
            const std::uint8_t* other = here + std::size_t(d) * std::size_t(ch);
            int value;
            if (ch == 3)
                value = (here[0] + here[1] + here[2] - other[0] - other[1] - other[2]) / 3 + 128;
            else
                value = here[0] - other[0] + 128;
            std::memset(out + std::size_t(x) * std::size_t(ch), clampByte(value), std::size_t(ch));
        }
    }
    progress.finish();
    return result;
}

} // namespace gp
