#pragma once
// A label sheet or a one-size grid: a regular grid of equal cells, in printer pixels measured
// from the paper's top-left corner. Cells are numbered row by row, left to right.

#include "base/Geometry.h"

#include <string>

namespace gp {

struct SheetLayout {
    std::string name; // the label product's name; empty for one-size grids
    int left = 0;
    int top = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int pitchX = 0; // from one cell's left edge to the next one's, never below the cell width
    int pitchY = 0;
    int columns = 0;
    int rows = 0;

    int cellCount() const { return columns * rows; }
    Rect cell(int index) const
    {
        const int r = index / columns, c = index % columns;
        const int x = left + c * pitchX, y = top + r * pitchY;
        return {x, y, x + cellWidth, y + cellHeight};
    }
    friend bool operator==(const SheetLayout&, const SheetLayout&) = default;
};

} // namespace gp
