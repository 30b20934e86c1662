#include "image/ColorConversion.h"
#include "image/ColorConversionPixels.h"

namespace gp {

std::optional<Image> convertToBlackWhite(const Image& source, const Allocator& allocator, RowProgress* progress)
{
    const int bits = source.bitsPerPixel();
    if (bits != 24 && bits != 8 && bits != 4)
        return std::nullopt;
    auto result = allocator.image(source.width(), source.height(), 1, 2);
    if (!result)
        return std::nullopt;
    result->setResolution(source.xPelsPerMeter(), source.yPelsPerMeter());
    result->setColor(1, Rgbq { 255, 255, 255, 0 });
    const auto tableGrays = grayOfColorTable(source);
    const int width = source.width(), height = source.height();
    for (int y = 0; y < height; ++y) {
        if (progress && y % 16 == 0 && !progress->update(percentOf(y, height)))
            return std::nullopt;
        const std::uint8_t* in = source.storedRow(y);
        std::uint8_t* out = result->storedRow(y);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t g = bits == 24 ? grayValue(in[3 * x], in[3 * x + 1], in[3 * x + 2])
                                              : tableGrays[std::size_t(packedIndex(in, x, bits))];
            if (g >= 128)
                out[x / 8] = std::uint8_t(out[x / 8] | (0x80 >> (x % 8)));
        }
    }
    if (progress)
        progress->finish();
    return result;
}

} // namespace gp
