#pragma once
// Pixel access shared by the colour conversions: the colour-table index of a packed pixel, and
// the gray value of each entry of a colour table.

#include "image/Image.h"

#include <array>
#include <cstdint>

namespace gp {

// The index of pixel x of a 1-, 4- or 8-bit row (most significant bits first).
inline int packedIndex(const std::uint8_t* row, int x, int bits)
{
    switch (bits) {
    case 8: return row[x];
    case 4: return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F;
    default: return (row[x / 8] >> (7 - x % 8)) & 1;
    }
}

// The gray value of every colour-table entry (at most 256 are used); indexes past the table
// stay black.
std::array<std::uint8_t, 256> grayOfColorTable(const Image& image);

// Rows done × 100 ÷ height.
inline int percentOf(int rows, int height)
{
    return int(std::int64_t(rows) * 100 / height);
}

} // namespace gp
