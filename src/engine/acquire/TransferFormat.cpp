#include "acquire/TransferFormat.h"

#include <algorithm>

namespace gp {

std::int32_t pixelsPerMeter(TW_FIX32 resolution, std::optional<int> units)
{
    // In 1/65536 of a unit, so the fraction counts without floating point.
    const std::int64_t scaled = std::int64_t(resolution.Whole) * 65536 + resolution.Frac;
    if (scaled <= 0 || !units)
        return 0;
    if (*units == TWUN_INCHES)
        return std::int32_t(scaled * 10000 / (254 * 65536));
    if (*units == TWUN_CENTIMETERS)
        return std::int32_t(scaled * 100 / 65536);
    return 0;
}

std::vector<Rgbq> colorTableFor(int pixelType, int bitsPerPixel, std::optional<int> flavor, const TW_PALETTE8* palette)
{
    const Rgbq black { 0, 0, 0, 0 }, white { 255, 255, 255, 0 };
    switch (pixelType) {
    case TWPT_BW:
        if (flavor == TWPF_VANILLA)
            return { white, black };
        return { black, white };
    case TWPT_GRAY: {
        const int count = 1 << std::clamp(bitsPerPixel, 1, 8);
        std::vector<Rgbq> ramp(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            const auto v = std::uint8_t(i * 255 / (count - 1));
            ramp[std::size_t(i)] = Rgbq { v, v, v, 0 };
        }
        return ramp;
    }
    case TWPT_RGB: return {};
    default: break;
    }
    if (!palette || bitsPerPixel > 8)
        return {};
    const int count = std::min<int>(palette->NumColors, 1 << std::max(bitsPerPixel, 1));
    std::vector<Rgbq> table(std::size_t(std::max(count, 0)));
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = Rgbq { palette->Colors[i].Channel3, palette->Colors[i].Channel2, palette->Colors[i].Channel1, 0 };
    return table;
}

} // namespace gp
