#include "editing/selection/FillOutsideMask.h"

#include "editing/NearestIndex.h"
#include "editing/PixelAccess.h"

#include <algorithm>

namespace gp {

namespace {

// Paints the pixels of the image for which `selected(x, row)` holds.
template <typename Selected> void paint(Image& image, int columns, int rows, Rgb fill, Selected selected)
{
    const int bits = image.bitsPerPixel();
    if (!isSupportedDepth(bits))
        return;
    int index = bits == 24 ? 0 : nearestPaletteIndex(image, fill);
    if (bits == 1)
        index = index != 0 ? 1 : 0;
    for (int row = 0; row < rows; ++row) {
        std::uint8_t* out = image.row(row);
        for (int x = 0; x < columns; ++x) {
            if (!selected(x, row))
                continue;
            if (bits == 24) {
                out[3 * x] = std::uint8_t(fill.blue);
                out[3 * x + 1] = std::uint8_t(fill.green);
                out[3 * x + 2] = std::uint8_t(fill.red);
            } else {
                setPixelIndex(out, x, bits, index);
            }
        }
    }
}

} // namespace

void fillOutsideMask(Image& image, const Image& mask, MaskSide side, Rgb fill)
{
    const int wanted = side == MaskSide::Inside ? 1 : 0;
    paint(image, std::min(image.width(), mask.width()), std::min(image.height(), mask.height()), fill,
        [&](int x, int row) { return pixelIndex(mask.row(row), x, 1) == wanted; });
}

void fillImage(Image& image, Rgb fill)
{
    paint(image, image.width(), image.height(), fill, [](int, int) { return true; });
}

} // namespace gp
