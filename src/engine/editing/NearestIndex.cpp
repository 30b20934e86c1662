#include "editing/NearestIndex.h"

#include "image/ImageType.h"

#include <cstdlib>
#include <limits>

namespace gp {

int nearestPaletteIndex(const Image& image, Rgb color)
{
    if (image.bitsPerPixel() == 24)
        return 0;
    if (isGrayscale(&image))
        return int(0.30 * color.red + 0.59 * color.green + 0.11 * color.blue + 0.5);
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    const auto table = image.colorTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const int distance = std::abs(color.red - table[i].red) + std::abs(color.green - table[i].green)
            + std::abs(color.blue - table[i].blue);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = int(i);
        }
    }
    return best;
}

} // namespace gp
