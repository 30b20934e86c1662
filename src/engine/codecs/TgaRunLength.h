#pragma once
// The run-length packets of TGA files, one row at a time. A packet starts with a byte h: with its
// top bit set, the one pixel that follows stands for (h & 0x7F) + 1 pixels; otherwise h + 1
// pixels follow as they are. A pixel is pixelSize bytes (1 for 8-bit and smaller pixels, which
// are coded a byte at a time).

#include "base/ByteReader.h"

#include <cstdint>
#include <span>
#include <vector>

namespace gp {

// Appends the packets of one row to out, each of at most 128 pixels.
void encodeTgaRow(std::span<const std::uint8_t> row, std::size_t pixelSize, std::vector<std::uint8_t>& out);

// Fills row from the packets at the reader's position. A packet that reaches past the row's end
// is read whole, but what does not fit is dropped rather than carried into the next row. False
// when the data ran out first.
bool decodeTgaRow(ByteReader& in, std::size_t pixelSize, std::span<std::uint8_t> row);

} // namespace gp
