#include "PackedBitmap.h"

#include "base/ByteReader.h"

#include <algorithm>
#include <cmath>

namespace gp::fpx {

namespace {

constexpr double kMetresPerInch = 0.0254;

std::size_t rowSize(int width, int bits)
{
    return (std::size_t(width) * std::size_t(bits) + 31) / 32 * 4;
}

} // namespace

Result<Raster> rasterFromPacked(const std::uint8_t* packed)
{
    if (!packed)
        return makeError(ErrorKind::Malformed, "bitmap: none given");
    const std::uint32_t headerSize = loadU32Le(packed);
    const std::int32_t width = std::int32_t(loadU32Le(packed + 4));
    const std::int32_t rawHeight = std::int32_t(loadU32Le(packed + 8));
    const int bits = loadU16Le(packed + 14);
    const std::uint32_t compression = loadU32Le(packed + 16);
    const std::int32_t xPelsPerMeter = std::int32_t(loadU32Le(packed + 24));
    std::uint32_t colors = loadU32Le(packed + 32);
    if (headerSize < 40 || compression != 0 || width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN
        || (bits != 1 && bits != 4 && bits != 8 && bits != 24))
        return makeError(ErrorKind::Unsupported, "bitmap: depth or layout not supported");
    const int height = std::abs(rawHeight);
    if (bits <= 8 && (colors == 0 || colors > (1u << bits)))
        colors = 1u << bits;
    if (bits == 24)
        colors = 0;
    const std::uint8_t* table = packed + headerSize;
    const std::uint8_t* pixels = table + 4 * std::size_t(colors);

    bool gray = bits <= 8;
    for (std::uint32_t i = 0; gray && i < colors; ++i)
        gray = table[4 * i] == table[4 * i + 1] && table[4 * i] == table[4 * i + 2];

    Raster raster;
    raster.width = width;
    raster.height = height;
    raster.channels = gray ? 1 : 3;
    raster.dotsPerInch = xPelsPerMeter > 0 ? xPelsPerMeter * kMetresPerInch : 0;
    raster.samples.resize(std::size_t(width) * std::size_t(height) * std::size_t(raster.channels));
    const std::size_t stride = rowSize(width, bits);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels + std::size_t(rawHeight > 0 ? height - 1 - y : y) * stride;
        for (int x = 0; x < width; ++x) {
            std::uint8_t* out = raster.pixel(x, y);
            if (bits == 24) {
                out[0] = row[3 * x + 2];
                out[1] = row[3 * x + 1];
                out[2] = row[3 * x];
                continue;
            }
            const int perByte = 8 / bits;
            const int shift = 8 - bits * (x % perByte + 1);
            const std::uint32_t index
                = std::min<std::uint32_t>((row[x / perByte] >> shift) & ((1u << bits) - 1), colors - 1);
            const std::uint8_t* entry = table + 4 * index;
            if (gray) {
                out[0] = entry[0];
            } else {
                out[0] = entry[2];
                out[1] = entry[1];
                out[2] = entry[0];
            }
        }
    }
    return raster;
}

Result<PackedPointer> packedFromRaster(const Raster& raster)
{
    const int bits = raster.channels == 1 ? 8 : 24;
    const std::size_t colors = raster.channels == 1 ? 256 : 0;
    const std::size_t stride = rowSize(raster.width, bits);
    const std::size_t size = 40 + 4 * colors + stride * std::size_t(raster.height);
    PackedPointer block(static_cast<std::uint8_t*>(std::calloc(1, size)));
    if (!block)
        return makeError(ErrorKind::OutOfMemory, "bitmap: no memory");
    std::uint8_t* h = block.get();
    storeU32Le(h, 40);
    storeU32Le(h + 4, std::uint32_t(raster.width));
    storeU32Le(h + 8, std::uint32_t(raster.height));
    storeU16Le(h + 12, 1);
    storeU16Le(h + 14, std::uint16_t(bits));
    storeU32Le(h + 20, std::uint32_t(stride * std::size_t(raster.height)));
    const std::int32_t pelsPerMeter
        = raster.dotsPerInch > 0 ? std::int32_t(std::lround(raster.dotsPerInch / kMetresPerInch)) : 0;
    storeU32Le(h + 24, std::uint32_t(pelsPerMeter));
    storeU32Le(h + 28, std::uint32_t(pelsPerMeter));
    storeU32Le(h + 32, std::uint32_t(colors));
    for (std::size_t i = 0; i < colors; ++i)
        std::fill_n(h + 40 + 4 * i, 3, std::uint8_t(i));
    std::uint8_t* pixels = h + 40 + 4 * colors;
    for (int y = 0; y < raster.height; ++y) {
        std::uint8_t* row = pixels + std::size_t(raster.height - 1 - y) * stride;
        for (int x = 0; x < raster.width; ++x) {
            const std::uint8_t* in = raster.pixel(x, y);
            if (bits == 8) {
                row[x] = in[0];
            } else {
                row[3 * x] = in[2];
                row[3 * x + 1] = in[1];
                row[3 * x + 2] = in[0];
            }
        }
    }
    return block;
}

} // namespace gp::fpx
