#pragma once
// The cells of a layout in printer pixels of the printable area: label sheets and one-size grids
// from the paper's corner, generated layouts on the whole-inch grid centred on the printable
// area, user templates in thousandths of an inch on the whole-inch page centred across the top.
// At most 100 cells; a layout with more uses its first 100.

#include "layout/LayoutList.h"

#include <vector>

namespace gp {

inline constexpr int kMaxCells = 100;

std::vector<Rect> printerCells(const LayoutList& list, int index, const PageGeometry& page);

// The cell whose rectangle, shrunk by 2 pixels on every side, strictly contains the point; -1
// when none does.
int cellAt(const std::vector<Rect>& cells, Point point);

} // namespace gp
