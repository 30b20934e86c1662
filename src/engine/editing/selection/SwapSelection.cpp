#include "editing/selection/SwapSelection.h"

#include "editing/PixelAccess.h"

#include <algorithm>
#include <utility>

namespace gp {

void swapSelection(Image& picture, const Image& mask, Image& floating, int left, int top)
{
    const int bits = picture.bitsPerPixel();
    if (floating.width() != mask.width() || floating.height() != mask.height() || floating.bitsPerPixel() != bits
        || !isSupportedDepth(bits))
        return;
    const int firstRow = std::max(0, -top);
    const int lastRow = std::min(mask.height(), picture.height() - top);
    const int firstColumn = std::max(0, -left);
    const int lastColumn = std::min(mask.width(), picture.width() - left);
    for (int row = firstRow; row < lastRow; ++row) {
        const std::uint8_t* bitsRow = mask.row(row);
        std::uint8_t* under = picture.row(top + row);
        std::uint8_t* lifted = floating.row(row);
        for (int i = firstColumn; i < lastColumn; ++i) {
            if (!pixelIndex(bitsRow, i, 1))
                continue;
            const int x = left + i;
            if (bits == 24) {
                for (int ch = 0; ch < 3; ++ch)
                    std::swap(under[3 * x + ch], lifted[3 * i + ch]);
            } else {
                const int a = pixelIndex(under, x, bits);
                setPixelIndex(under, x, bits, pixelIndex(lifted, i, bits));
                setPixelIndex(lifted, i, bits, a);
            }
        }
    }
}

} // namespace gp
