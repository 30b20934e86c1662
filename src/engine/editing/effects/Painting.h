#pragma once
// Painting: every pixel takes, per channel, the most frequent level band of the (2r + 1) square
// window around it (coordinates limited to the image): the window's values are counted in 32
// bins of 8 levels and the output is 8 × the fullest bin, the lowest bin winning ties. The bins
// slide along each row one column at a time. Accepts 24-bit and grayscale images; nothing for
// other types, on Escape or without memory.

#include "editing/FilterRun.h"

#include <optional>

namespace gp {

// Keeps the counts of every column's window rows, so each step along a row moves two columns'
// counts instead of 2(2r + 1) pixels; rows are split over the run's workers.
std::optional<Image> painting(const Image& source, int radius, const FilterRun& run);

// The plain form: the window's counts slid pixel by pixel along each row. Gives the same bytes as
// painting(); kept as its reference.
std::optional<Image> paintingPlain(const Image& source, int radius, const FilterRun& run);

} // namespace gp
