#include "editing/effects/Grid3d.h"

#include "editing/effects/FilterSupport.h"

#include <cstdint>

namespace gp {

std::optional<Image> grid3d(const Image& source, int size, const FilterRun& run)
{
    const int p = clampInt(size, 1, 100) + 7;
    const int ch = channelsOf(source);
    return runRowJob(source, run, [&](int y, std::uint8_t* out) {
        const int h = y % p;
        const std::uint8_t* in = source.storedRow(y);
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
    });
}

} // namespace gp
