#pragma once
// Packs the standard photo sizes onto a grid of one-inch squares and returns every layout it
// finds, in the order found (at most 200, not sorted, duplicates kept). For each start size, in
// table order, it fills the grid with the start size as often as allowed and the largest sizes
// that still fit after it, then again with half as many of the start size, and so on.

#include "layout/CellTemplate.h"

#include <vector>

namespace gp {

enum class SizeFilter { All, LandscapeOrSquare, PortraitOrSquare };

inline constexpr int kMaxLayouts = 200;

// columns and rows are the grid's size in whole inches, each at least 1. Cells are in squares.
std::vector<CellTemplate> generateLayouts(int columns, int rows, SizeFilter filter);

} // namespace gp
