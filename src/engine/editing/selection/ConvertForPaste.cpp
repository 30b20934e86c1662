#include "editing/selection/ConvertForPaste.h"

#include "editing/PixelAccess.h"

#include <cstdint>

namespace gp {

namespace {

std::uint8_t luminance(int red, int green, int blue)
{
    return std::uint8_t((76 * red + 150 * green + 29 * blue + 127) / 255);
}

Rgbq colorAt(const Image& picture, const std::uint8_t* row, int x)
{
    const int bits = picture.bitsPerPixel();
    if (bits == 24)
        return Rgbq { row[3 * x], row[3 * x + 1], row[3 * x + 2], 0 };
    const int index = pixelIndex(row, x, bits);
    return index < picture.colorCount() ? picture.color(index) : Rgbq {};
}

} // namespace

std::optional<Image> convertForPaste(
    const Image& picture, PasteTarget target, int width, int height, Rgb fill, const Allocator& allocator)
{
    if (!isSupportedDepth(picture.bitsPerPixel()))
        return std::nullopt;
    const bool gray = target == PasteTarget::Gray8;
    auto result = gray ? allocator.image(width, height, 8, 256) : allocator.image(width, height, 24);
    if (!result)
        return std::nullopt;
    if (gray)
        for (int i = 0; i < 256; ++i)
            result->setColor(i, Rgbq { std::uint8_t(i), std::uint8_t(i), std::uint8_t(i), 0 });
    result->setResolution(picture.xPelsPerMeter(), picture.yPelsPerMeter());

    const Rgbq fillColor { std::uint8_t(fill.blue), std::uint8_t(fill.green), std::uint8_t(fill.red), 0 };
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = y < picture.height() ? picture.row(y) : nullptr;
        std::uint8_t* out = result->row(y);
        for (int x = 0; x < width; ++x) {
            const Rgbq c = (in && x < picture.width()) ? colorAt(picture, in, x) : fillColor;
            if (gray) {
                out[x] = luminance(c.red, c.green, c.blue);
            } else {
                out[3 * x] = c.blue;
                out[3 * x + 1] = c.green;
                out[3 * x + 2] = c.red;
            }
        }
    }
    return result;
}

} // namespace gp
