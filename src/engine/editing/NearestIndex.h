#pragma once
// The colour-table index that stands for a colour in an image: for a grayscale image the gray
// level 0.30 R + 0.59 G + 0.11 B (rounded), for any other table the first entry with the smallest
// |ΔR| + |ΔG| + |ΔB|. A 24-bit image (or an empty table) has no index: the answer is then 0.

#include "image/Image.h"
#include "base/Rgb.h"

namespace gp {

int nearestPaletteIndex(const Image& image, Rgb color);

} // namespace gp
