#include "SheetPhotos.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace gp::bench {

Image sheetPhoto(int index)
{
    Image image = std::move(Image::create(kSheetPhotoWidth, kSheetPhotoHeight, 24)).value();
    image.setResolution(11811, 11811);
    // Each photo gets its own wave lengths and phase; the waves are separable, so one table per
    // axis keeps the generation to a few multiplications a pixel.
    const double fx = 0.0015 + 0.0003 * (index % 7);
    const double fy = 0.0020 + 0.0002 * (index % 11);
    const double phase = 0.7 * index;
    std::vector<double> across(kSheetPhotoWidth), down(kSheetPhotoHeight);
    for (int x = 0; x < kSheetPhotoWidth; ++x)
        across[std::size_t(x)] = std::sin(x * fx + phase);
    for (int y = 0; y < kSheetPhotoHeight; ++y)
        down[std::size_t(y)] = std::cos(y * fy - phase);
    std::uint32_t noise = 2463534242u + std::uint32_t(index) * 7919u;
    const int tint = index * 37 % 510;
    for (int y = 0; y < kSheetPhotoHeight; ++y) {
        std::uint8_t* p = image.row(y);
        const double d = down[std::size_t(y)];
        // A vertical ramp shifted by the photo's tint, folded back at white rather than wrapped.
        const int ramp = (y * 255 / kSheetPhotoHeight + tint) % 510;
        const int green = ramp > 255 ? 510 - ramp : ramp;
        for (int x = 0; x < kSheetPhotoWidth; ++x, p += 3) {
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            const int grain = int(noise & 7) - 3;
            const double wave = across[std::size_t(x)] * d;
            p[0] = std::uint8_t(std::clamp(int(128 + 110 * wave) + grain, 0, 255));
            p[1] = std::uint8_t(std::clamp(green + grain, 0, 255));
            p[2] = std::uint8_t(std::clamp(x * 255 / kSheetPhotoWidth + grain, 0, 255));
        }
    }
    return image;
}

} // namespace gp::bench
