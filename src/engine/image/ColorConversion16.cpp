#include "image/ColorConversion.h"
#include "image/ColorConversionPixels.h"

#include <vector>

namespace gp {

namespace {

// The fixed table as red, green, blue.
constexpr std::uint8_t kSixteen[16][3] = { { 0, 0, 0 }, { 128, 0, 0 }, { 0, 128, 0 }, { 128, 128, 0 }, { 0, 0, 128 },
    { 128, 0, 128 }, { 0, 128, 128 }, { 128, 128, 128 }, { 192, 192, 192 }, { 255, 0, 0 }, { 0, 255, 0 },
    { 255, 255, 0 }, { 0, 0, 255 }, { 255, 0, 255 }, { 0, 255, 255 }, { 255, 255, 255 } };

// The entry for the channels at or above 128: red alone 9, green 10, blue 12, and their sums.
int fixedIndex(bool red, bool green, bool blue)
{
    if (!red && !green && !blue)
        return 0;
    return 8 + (red ? 1 : 0) + (green ? 2 : 0) + (blue ? 4 : 0);
}

} // namespace

std::optional<Image> convertTo16Colors(const Image& source, const Allocator& allocator, RowProgress* progress)
{
    const int bits = source.bitsPerPixel();
    if (bits != 24 && bits != 8)
        return std::nullopt;
    auto result = allocator.image(source.width(), source.height(), 4, 16);
    if (!result)
        return std::nullopt;
    result->setResolution(source.xPelsPerMeter(), source.yPelsPerMeter());
    for (int i = 0; i < 16; ++i)
        result->setColor(i, Rgbq { kSixteen[i][2], kSixteen[i][1], kSixteen[i][0], 0 });
    const auto table = source.colorTable();
    const int width = source.width(), height = source.height();

    // Errors per channel (blue, green, red) of the previous row and of the current one.
    std::vector<int> above(std::size_t(width) * 3, 0), current(std::size_t(width) * 3, 0);
    for (int y = 0; y < height; ++y) {
        if (progress && y % 16 == 0 && !progress->update(percentOf(y, height)))
            return std::nullopt;
        const std::uint8_t* in = source.storedRow(y);
        std::uint8_t* out = result->storedRow(y);
        for (int x = 0; x < width; ++x) {
            std::uint8_t bgr[3] = { 0, 0, 0 };
            if (bits == 24) {
                bgr[0] = in[3 * x], bgr[1] = in[3 * x + 1], bgr[2] = in[3 * x + 2];
            } else if (std::size_t(in[x]) < table.size()) {
                const Rgbq c = table[in[x]];
                bgr[0] = c.blue, bgr[1] = c.green, bgr[2] = c.red;
            }
            bool high[3];
            for (int c = 0; c < 3; ++c) {
                const std::size_t at = std::size_t(x) * 3 + std::size_t(c);
                const int previous = x > 0 ? current[at - 3] : 0;
                const int here = above[at];
                const int next = x + 1 < width ? above[at + 3] : 0;
                const int before = x > 0 ? above[at - 3] : 0;
                int share;
                if (y == 0)
                    share = previous;
                else if (x == 0)
                    share = (5 * here + 3 * next + 4) / 8;
                else
                    share = (7 * previous + 5 * here + 3 * next + before + 8) / 16;
                const int adjusted = bgr[c] + share;
                high[c] = adjusted >= 128;
                current[at] = high[c] ? adjusted - 255 : adjusted;
            }
            const int index = fixedIndex(high[2], high[1], high[0]);
            out[x / 2] = std::uint8_t(out[x / 2] | (x % 2 == 0 ? index << 4 : index));
        }
        std::swap(above, current);
    }
    if (progress)
        progress->finish();
    return result;
}

} // namespace gp
