#include "PcdPlane.h"

#include <algorithm>

namespace gp::pcd {

Plane upsample(const Plane& source)
{
    Plane out(source.width * 2, source.height * 2);
    for (int y = 0; y < source.height; ++y) {
        const std::uint8_t* above = source.row(y);
        const std::uint8_t* below = source.row(std::min(y + 1, source.height - 1));
        std::uint8_t* even = out.row(2 * y);
        std::uint8_t* odd = out.row(2 * y + 1);
        for (int x = 0; x < source.width; ++x) {
            const int right = std::min(x + 1, source.width - 1);
            const int a = above[x], b = above[right], c = below[x], d = below[right];
            even[2 * x] = std::uint8_t(a);
            even[2 * x + 1] = std::uint8_t((a + b + 1) >> 1);
            odd[2 * x] = std::uint8_t((a + c + 1) >> 1);
            odd[2 * x + 1] = std::uint8_t((a + b + c + d + 2) >> 2);
        }
    }
    return out;
}

} // namespace gp::pcd
