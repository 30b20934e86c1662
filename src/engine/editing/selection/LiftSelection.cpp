#include "editing/selection/LiftSelection.h"

#include "editing/NearestIndex.h"
#include "editing/PixelAccess.h"
#include "editing/ResultImage.h"
#include "editing/PixelProgress.h"

#include <algorithm>
#include <cstring>

namespace gp {

std::optional<Image> liftSelection(
    const Image& picture, Rect area, Rgb fill, const Allocator& allocator, Interrupt interrupt)
{
    if (area.isEmpty())
        return std::nullopt;
    auto result = allocateLike(picture, area.width(), area.height(), allocator);
    if (!result)
        return std::nullopt;
    const int bits = picture.bitsPerPixel();
    const int fillIndex = bits == 24 ? 0 : nearestPaletteIndex(picture, fill) & ((1 << bits) - 1);
    const Rect inside { std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, picture.width()),
        std::min(area.bottom, picture.height()) };

    PixelProgress progress(allocator.host(), area.height(), interrupt);
    for (int row = 0; row < area.height(); ++row) {
        if (!progress.beforeRow(row))
            return std::nullopt;
        std::uint8_t* out = result->row(row);
        const int y = area.top + row;
        const bool rowInside = y >= inside.top && y < inside.bottom;
        for (int i = 0; i < area.width(); ++i) {
            const int x = area.left + i;
            if (rowInside && x >= inside.left && x < inside.right) {
                if (bits == 24 && x == inside.left) {
                    // The picture's part of a 24-bit row is one contiguous run.
                    std::memcpy(out + 3 * std::size_t(i), picture.row(y) + 3 * std::size_t(x),
                        3 * std::size_t(inside.right - inside.left));
                    i += inside.right - inside.left - 1;
                    continue;
                }
                copyPixel(picture.row(y), x, out, i, bits);
            } else if (bits == 24) {
                out[3 * i] = std::uint8_t(fill.blue);
                out[3 * i + 1] = std::uint8_t(fill.green);
                out[3 * i + 2] = std::uint8_t(fill.red);
            } else {
                setPixelIndex(out, i, bits, fillIndex);
            }
        }
    }
    return result;
}

} // namespace gp
