#pragma once
// Emboss: a gray relief. Every pixel compares itself with the pixel d columns to its right
// (d limited to half the width and half the height): 128 + the difference (for 24-bit the
// difference of the channel sums divided by 3, truncated toward zero), limited to 0..255 and
// written to every channel; a border d pixels wide on every side is mid-gray 128. Accepts 24-bit
// and grayscale images; nothing for other types, on Escape or without memory.

#include "editing/FilterRun.h"

#include <optional>

namespace gp {

std::optional<Image> emboss(const Image& source, int offset, const FilterRun& run);

} // namespace gp
