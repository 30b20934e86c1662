#pragma once
// Reading and writing one pixel of a packed row by its colour-table index: 1-bit rows hold the
// leftmost pixel in the most significant bit, 4-bit rows in the high nibble. Shared by every
// routine that re-packs pixels; 24-bit rows are addressed directly as blue, green, red bytes.

#include <cstdint>

namespace gp {

inline int pixelIndex(const std::uint8_t* row, int x, int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default: return row[x];
    }
}

inline void setPixelIndex(std::uint8_t* row, int x, int bitsPerPixel, int index)
{
    switch (bitsPerPixel) {
    case 1: {
        const std::uint8_t bit = std::uint8_t(0x80 >> (x & 7));
        row[x >> 3] = (index & 1) ? std::uint8_t(row[x >> 3] | bit) : std::uint8_t(row[x >> 3] & ~bit);
        break;
    }
    case 4:
        if (x & 1)
            row[x >> 1] = std::uint8_t((row[x >> 1] & 0xF0) | (index & 0x0F));
        else
            row[x >> 1] = std::uint8_t((row[x >> 1] & 0x0F) | ((index & 0x0F) << 4));
        break;
    default: row[x] = std::uint8_t(index); break;
    }
}

// Copies pixel sx of one row to pixel dx of another, whatever the depth.
inline void copyPixel(const std::uint8_t* src, int sx, std::uint8_t* dst, int dx, int bitsPerPixel)
{
    if (bitsPerPixel == 24) {
        const std::uint8_t* s = src + 3 * sx;
        std::uint8_t* d = dst + 3 * dx;
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
    } else if (bitsPerPixel == 8) {
        dst[dx] = src[sx];
    } else {
        setPixelIndex(dst, dx, bitsPerPixel, pixelIndex(src, sx, bitsPerPixel));
    }
}

inline bool isSupportedDepth(int bitsPerPixel)
{
    return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8 || bitsPerPixel == 24;
}

} // namespace gp
