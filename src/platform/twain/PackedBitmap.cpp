#include "PackedBitmap.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace gp::twain {

namespace {

void put16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

void put32(std::uint8_t* p, std::uint32_t v)
{
    put16(p, std::uint16_t(v));
    put16(p + 2, std::uint16_t(v >> 16));
}

} // namespace

std::size_t paddedRowBytes(const ScannedFrame& frame)
{
    return (frame.rowBytes() + 3) / 4 * 4;
}

int pixelsPerMeter(double dpi)
{
    return int(dpi * 10000.0 / 254.0);
}

void* makePackedBitmap(const ScannedFrame& frame)
{
    const int colors = frame.kind == PixelKind::BlackWhite ? 2 : frame.kind == PixelKind::Gray ? 256 : 0;
    const std::size_t stride = paddedRowBytes(frame);
    const std::size_t head = 40 + 4 * std::size_t(colors);
    if (frame.height <= 0 || stride > (std::numeric_limits<std::uint32_t>::max() - head) / std::size_t(frame.height)
        || frame.rows.size() < frame.rowBytes() * std::size_t(frame.height))
        return nullptr;
    const std::size_t imageSize = stride * std::size_t(frame.height);
    auto* block = static_cast<std::uint8_t*>(std::calloc(1, head + imageSize));
    if (!block)
        return nullptr;
    put32(block, 40);
    put32(block + 4, std::uint32_t(frame.width));
    put32(block + 8, std::uint32_t(frame.height));
    put16(block + 12, 1);
    put16(block + 14, std::uint16_t(frame.bitsPerPixel()));
    put32(block + 20, std::uint32_t(imageSize));
    const int ppm = pixelsPerMeter(frame.dpi);
    put32(block + 24, std::uint32_t(ppm));
    put32(block + 28, std::uint32_t(ppm));
    put32(block + 32, std::uint32_t(colors));
    std::uint8_t* table = block + 40;
    if (frame.kind == PixelKind::BlackWhite) {
        std::memset(table, 255, 3); // index 0: white; index 1 stays black
    } else {
        for (int i = 0; i < colors; ++i)
            std::memset(table + 4 * i, i, 3);
    }
    std::uint8_t* bits = block + head;
    const std::size_t rowBytes = frame.rowBytes();
    for (int y = 0; y < frame.height; ++y) {
        const std::uint8_t* src = frame.rows.data() + std::size_t(y) * rowBytes;
        std::uint8_t* dst = bits + std::size_t(frame.height - 1 - y) * stride;
        if (frame.kind != PixelKind::Rgb) {
            std::memcpy(dst, src, rowBytes);
            continue;
        }
        for (int x = 0; x < frame.width; ++x) {
            dst[3 * x] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x];
        }
    }
    return block;
}

} // namespace gp::twain
