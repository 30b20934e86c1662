#pragma once
// Mirrors an image top to bottom (rows in reverse order) or left to right (each row mirrored)
// for 1-, 4-, 8- and 24-bit images. Returns a new image with the source's header and colour
// table; the padding at the end of each row stays zero. Nothing on another depth, on allocation
// failure or when the user presses Escape (unless interrupt is Never). With workers the rows are
// split among them; the bytes are the same.

#include "editing/PixelProgress.h"
#include "image/Allocator.h"

#include <cstdint>
#include <optional>

namespace gp {

class WorkerPool;

std::optional<Image> flipVertical(const Image& source, const Allocator& allocator,
    Interrupt interrupt = Interrupt::ByEscape, WorkerPool* workers = nullptr);
std::optional<Image> flipHorizontal(const Image& source, const Allocator& allocator,
    Interrupt interrupt = Interrupt::ByEscape, WorkerPool* workers = nullptr);

// Writes row `src` of `width` pixels mirrored into `dst`, which must hold zeros past the last
// pixel (they stay zero).
void mirrorRow(const std::uint8_t* src, std::uint8_t* dst, int width, int bitsPerPixel);

} // namespace gp
