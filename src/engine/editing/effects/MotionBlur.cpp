#include "editing/effects/MotionBlur.h"

#include "editing/effects/FilterSupport.h"

#include <cstdint>

namespace gp {

std::optional<Image> motionBlur(const Image& source, int length, const FilterRun& run)
{
    if (!isFilterable(source))
        return std::nullopt;
    const int width = source.width(), height = source.height();
    const int count = std::min({ length, width, height });
    if (count <= 0)
        return std::nullopt;
    const int ch = channelsOf(source);
    return runRowJob(source, run, [&](int y, std::uint8_t* out) {
        const std::uint8_t* in = source.storedRow(y);
        for (int k = 0; k < ch; ++k) {
            const auto pixel
                = [&](int x) { return int(in[std::size_t(std::max(x, 0)) * std::size_t(ch) + std::size_t(k)]); };
            // A running sum walked from the right end: the pixel at x leaves when the window
            // moves to x − 1, and the one at x − L enters.
            int sum = 0;
            for (int x = width - count; x < width; ++x)
                sum += pixel(x);
            for (int x = width - 1; x >= 0; --x) {
                out[std::size_t(x) * std::size_t(ch) + std::size_t(k)] = std::uint8_t(sum / count);
                sum += pixel(x - count) - pixel(x);
            }
        }
    });
}

} // namespace gp
