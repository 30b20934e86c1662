#pragma once
// Mosaic: tiles the picture with blocks of blockWidth × blockHeight pixels (each limited to the
// image size), starting at the bottom row and the left edge, the last block of a row or column
// taking what remains, and fills every block with the truncated mean of its pixels per channel.
// Accepts 24-bit and grayscale images; nothing for other types, a block size ≤ 0, on Escape or
// without memory.

#include "editing/FilterRun.h"

#include <optional>

namespace gp {

std::optional<Image> mosaic(const Image& source, int blockWidth, int blockHeight, const FilterRun& run);

} // namespace gp
