#include "BenchPhoto.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace gp::bench {

const Image& photo()
{
    static const Image picture = [] {
        Image image = std::move(Image::create(kPhotoWidth, kPhotoHeight, 24)).value();
        image.setResolution(11811, 11811);
        std::uint32_t noise = 12345;
        for (int y = 0; y < kPhotoHeight; ++y) {
            std::uint8_t* p = image.row(y);
            for (int x = 0; x < kPhotoWidth; ++x, p += 3) {
                noise = noise * 1103515245u + 12345u;
                const int grain = int((noise >> 16) & 7) - 3;
                const double wave = std::sin(x * 0.003) * std::cos(y * 0.004);
                p[0] = std::uint8_t(std::clamp(int(128 + 100 * wave) + grain, 0, 255));
                p[1] = std::uint8_t(std::clamp(y * 255 / kPhotoHeight + grain, 0, 255));
                p[2] = std::uint8_t(std::clamp(x * 255 / kPhotoWidth + grain, 0, 255));
            }
        }
        return image;
    }();
    return picture;
}

const Image& texturedPhoto()
{
    static const Image picture = [] {
        Image image = std::move(Image::create(kPhotoWidth, kPhotoHeight, 24)).value();
        for (int y = 0; y < kPhotoHeight; ++y) {
            std::uint8_t* row = image.storedRow(y);
            for (int x = 0; x < kPhotoWidth; ++x) {
                const int texture = (x * 7919 + y * 104729) % 31;
                row[3 * x] = std::uint8_t((x / 24 + texture) & 255);
                row[3 * x + 1] = std::uint8_t((y / 16 + 2 * texture) & 255);
                row[3 * x + 2] = std::uint8_t(((x + y) / 40 + texture) & 255);
            }
        }
        return image;
    }();
    return picture;
}

} // namespace gp::bench
