#include "editing/effects/Grid3d.h"

#include "editing/effects/FilterSupport.h"

#include <cstdint>

namespace gp {

std::optional<Image> grid3d(const Image& source, int size, const FilterRun& run)
{
    if (!isFilterable(source))
        return std::nullopt;
    WaitCursorScope cursor(run);
    auto result = blankLike(source, run.allocator);
    if (!result)
        return std::nullopt;
    const int p = clampInt(size, 1, 100) + 7;
    const int ch = channelsOf(source);
    FilterProgress progress(run, source.height());
    for (int y = 0; y < source.height(); ++y) {
        if (!progress.beforeRow(y))
            return std::nullopt;
        const int h = y % p;
        const std::uint8_t* in = source.storedRow(y);
        std::uint8_t* out = result->storedRow(y);
        for (int x = 0; x < source.width(); ++x) {
            const int l = x % p;
            int offset = 0;
            if (h != 0 && h != p - 1 && l != 0 && l != p - 1) {
                if (h == 1)
                    offset = -92;
                else if (h == p - 2 || l == 1)
                    offset = 92;
                else if (l == p - 2)
                    offset = -92;
            }
            for (int k = 0; k < ch; ++k)
                *out++ = clampByte(*in++ + offset);
        }
    }
    progress.finish();
    return result;
}

} // namespace gp
