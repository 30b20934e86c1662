#pragma once
// Red and blue swapped in rows of 3-byte pixels: files keep red, green, blue where the bitmap
// keeps blue, green, red. Whole pictures pass through this on every read and write of such a
// file, so where the processor has a byte shuffle sixteen pixels are swapped per seven shuffles.

#include <cstddef>
#include <cstdint>

namespace gp {

// Writes the `bytes` bytes of `from` (whole pixels) to `to` with red and blue swapped; `to` may
// be `from` itself, but the two must not overlap otherwise.
void copySwappingRedBlue(const std::uint8_t* from, std::uint8_t* to, std::size_t bytes);

inline void swapRedBlue(std::uint8_t* pixels, std::size_t bytes)
{
    copySwappingRedBlue(pixels, pixels, bytes);
}

} // namespace gp
