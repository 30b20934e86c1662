#include "editing/selection/MaskBounds.h"

#include "editing/PixelAccess.h"

#include <algorithm>

namespace gp {

std::optional<Rect> maskBounds(const Image& mask)
{
    Rect box { mask.width(), mask.height(), 0, 0 };
    const std::size_t usedBytes = (std::size_t(mask.width()) + 7) / 8;
    for (int row = 0; row < mask.height(); ++row) {
        const std::uint8_t* bits = mask.row(row);
        if (std::all_of(bits, bits + usedBytes, [](std::uint8_t b) { return b == 0; }))
            continue;
        box.top = std::min(box.top, row);
        box.bottom = row + 1;
        for (int x = 0; x < mask.width(); ++x) {
            if (pixelIndex(bits, x, 1)) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x + 1);
            }
        }
    }
    if (box.isEmpty())
        return std::nullopt;
    return box;
}

} // namespace gp
