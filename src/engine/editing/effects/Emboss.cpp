#include "editing/effects/Emboss.h"

#include "editing/effects/FilterSupport.h"

#include <cstdint>
#include <cstring>

namespace gp {

std::optional<Image> emboss(const Image& source, int offset, const FilterRun& run)
{
    const int width = source.width(), height = source.height();
    const int ch = channelsOf(source);
    const int d = std::max(0, std::min({ offset, width / 2, height / 2 }));
    return runRowJob(source, run, [&](int y, std::uint8_t* out) {
        std::memset(out, 128, std::size_t(width) * std::size_t(ch));
        if (y < d || y >= height - d)
            return;
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
    });
}

} // namespace gp
