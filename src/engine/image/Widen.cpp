#include "image/Widen.h"

#include <cstring>

namespace gp {

std::optional<Image> widenTo24(const Image& source, const Allocator& allocator)
{
    const int bits = source.bitsPerPixel();
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        return std::nullopt;
    auto result = allocator.image(source.width(), source.height(), 24);
    if (!result)
        return std::nullopt;
    result->setResolution(source.xPelsPerMeter(), source.yPelsPerMeter());
    if (bits == 24) {
        std::memcpy(result->pixels().data(), source.pixels().data(), source.imageSize());
        return result;
    }
    const auto table = source.colorTable();
    const int mask = (1 << bits) - 1;
    const int perByte = 8 / bits;
    for (int y = 0; y < source.height(); ++y) {
        const std::uint8_t* in = source.storedRow(y);
        std::uint8_t* out = result->storedRow(y);
        for (int x = 0; x < source.width(); ++x) {
            const int shift = 8 - bits * (x % perByte + 1);
            const std::size_t index = std::size_t((in[x / perByte] >> shift) & mask);
            const Rgbq c = index < table.size() ? table[index] : Rgbq{};
            out[0] = c.blue;
            out[1] = c.green;
            out[2] = c.red;
            out += 3;
        }
    }
    return result;
}

} // namespace gp
