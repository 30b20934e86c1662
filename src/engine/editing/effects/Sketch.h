#pragma once
// Sketch: dark edge lines on white. Per channel, the vertical and horizontal Sobel sums V and H
// of every interior pixel (rows in storage order) give S = min(|V|, 255) + |H|; the edge value
// is 0 below the threshold and min(S, 255) otherwise, and the output is 255 minus it. The first
// and last rows and columns are white. Accepts 24-bit and grayscale images; nothing for other
// types, on Escape or without memory.

#include "editing/FilterRun.h"

#include <optional>

namespace gp {

std::optional<Image> sketch(const Image& source, int threshold, const FilterRun& run);

} // namespace gp
