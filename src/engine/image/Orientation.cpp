#include "image/Orientation.h"

#include <array>
#include <cstring>
#include <vector>

namespace gp {

namespace {

// Where output pixel (u, v) comes from: x = xu*u + xv*v + x0, y = yu*u + yv*v + y0, for a source
// of width w and height h.
struct SourceMap {
    long xu, xv, x0, yu, yv, y0;
};

SourceMap sourceMap(int orientation, int w, int h)
{
    const long wl = w - 1, hl = h - 1;
    switch (orientation) {
    case 2: return { -1, 0, wl, 0, 1, 0 };
    case 3: return { -1, 0, wl, 0, -1, hl };
    case 4: return { 1, 0, 0, 0, -1, hl };
    case 5: return { 0, 1, 0, 1, 0, 0 };
    case 6: return { 0, 1, 0, -1, 0, hl };
    case 7: return { 0, -1, wl, -1, 0, hl };
    case 8: return { 0, -1, wl, 1, 0, 0 };
    default: return { 1, 0, 0, 0, 1, 0 };
    }
}

int pixelAt(const std::uint8_t* row, long x, int bits)
{
    switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default: return row[x];
    }
}

void setPixel(std::uint8_t* row, long x, int bits, int value)
{
    switch (bits) {
    case 1: {
        const int mask = 0x80 >> (x & 7);
        row[x >> 3] = std::uint8_t(value ? row[x >> 3] | mask : row[x >> 3] & ~mask);
        break;
    }
    case 4:
        row[x >> 1] = std::uint8_t((x & 1) ? (row[x >> 1] & 0xF0) | value : (row[x >> 1] & 0x0F) | (value << 4));
        break;
    default: row[x] = std::uint8_t(value);
    }
}

// The values of a small top-down grid after the tag's turn and mirror; width and height are
// swapped in place for the quarter turns.
std::vector<int> orientGrid(const std::vector<int>& grid, int& w, int& h, int orientation)
{
    const SourceMap m = sourceMap(orientation, w, h);
    const bool quarter = orientation >= 5 && orientation <= 8;
    const int outW = quarter ? h : w, outH = quarter ? w : h;
    std::vector<int> out(grid.size());
    for (long v = 0; v < outH; ++v)
        for (long u = 0; u < outW; ++u)
            out[std::size_t(v * outW + u)] = grid[std::size_t((m.yu * u + m.yv * v + m.y0) * w + m.xu * u + m.xv * v + m.x0)];
    w = outW;
    h = outH;
    return out;
}

} // namespace

int composeOrientations(int first, int then)
{
    // A 3 x 2 grid of distinct values tells all eight tags apart.
    const std::vector<int> grid { 0, 1, 2, 3, 4, 5 };
    int w = 3, h = 2;
    const std::vector<int> both = orientGrid(orientGrid(grid, w, h, first), w, h, then);
    for (int tag = 1; tag <= 8; ++tag) {
        int tw = 3, th = 2;
        if (orientGrid(grid, tw, th, tag) == both && tw == w)
            return tag;
    }
    return kOrientationNormal;
}

bool orientationTurns(int orientation)
{
    return orientation >= 2 && orientation <= 8;
}

std::optional<Image> orientImage(const Image& image, int orientation, const Allocator& allocator)
{
    if (!orientationTurns(orientation))
        orientation = kOrientationNormal;
    const int w = image.width(), h = image.height();
    const bool quarter = orientation >= 5;
    const int outW = quarter ? h : w, outH = quarter ? w : h;
    const int bits = image.bitsPerPixel();
    auto out = allocator.image(outW, outH, bits, image.colorCount());
    if (!out)
        return std::nullopt;
    for (int i = 0; i < image.colorCount(); ++i)
        out->setColor(i, image.color(i));
    if (quarter)
        out->setResolution(image.yPelsPerMeter(), image.xPelsPerMeter());
    else
        out->setResolution(image.xPelsPerMeter(), image.yPelsPerMeter());

    const SourceMap m = sourceMap(orientation, w, h);
    for (int v = 0; v < outH; ++v) {
        std::uint8_t* dst = out->row(v);
        if (m.xv == 0 && m.yu == 0) {
            // The row comes from one source row: copied whole, or mirrored pixel by pixel.
            const std::uint8_t* src = image.row(int(m.yv * v + m.y0));
            if (m.xu == 1) {
                std::memcpy(dst, src, image.rowSize());
                continue;
            }
            if (bits == 24) {
                for (long u = 0, x = w - 1; u < outW; ++u, --x)
                    std::memcpy(dst + 3 * u, src + 3 * x, 3);
                continue;
            }
            for (long u = 0; u < outW; ++u)
                setPixel(dst, u, bits, pixelAt(src, m.xu * u + m.x0, bits));
            continue;
        }
        // A quarter turn: the output row is one source column.
        const long x = m.xv * v + m.x0;
        for (long u = 0; u < outW; ++u) {
            const std::uint8_t* src = image.row(int(m.yu * u + m.y0));
            if (bits == 24)
                std::memcpy(dst + 3 * u, src + 3 * x, 3);
            else
                setPixel(dst, u, bits, pixelAt(src, x, bits));
        }
    }
    return out;
}

} // namespace gp
