#pragma once
// The histogram of an image: counts per level for red, green and blue and their sum (for a
// grayscale image the gray levels alone), and the columns of its drawing.

#include "image/Image.h"

#include <array>
#include <cstdint>
#include <vector>

namespace gp {

using LevelCounts = std::array<std::uint32_t, 256>;

struct Histogram {
    LevelCounts combined {}; // red + green + blue per level, or the gray levels
    LevelCounts red {};
    LevelCounts green {};
    LevelCounts blue {};
    bool grayscale = false; // only the combined table is meaningful
};

// 24-bit pixels count by their channels; indexed pixels by their colour-table entry.
Histogram computeHistogram(const Image& image);

// The top of the vertical line of each column 0..width−1 of a drawing area of width × height
// (inside a 4-pixel margin): column x shows level (255x + width/2) / width, scaled so that the
// busy part of the histogram fills the height; a line runs from height + 4 up to its top, which
// never goes above the margin.
std::vector<int> histogramColumnTops(const LevelCounts& counts, int width, int height);

} // namespace gp
