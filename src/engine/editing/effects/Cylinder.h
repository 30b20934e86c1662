#pragma once
// Cylinder: maps the picture onto a cylinder seen from the front. Every column x takes the source
// position sx = (1 − 0.02·b)·x + 0.02·b·W·(0.5 + asin(2x/W − 1)/π) + 0.5, the same for every row,
// and blends the two source columns around it with weights in 1/256. b = 50 is the plain
// cylinder; smaller values blend toward the unchanged picture, larger ones exaggerate. Accepts
// 24-bit and grayscale images; nothing for other types, on Escape or without memory.

#include "editing/FilterRun.h"

#include <optional>

namespace gp {

std::optional<Image> cylinder(const Image& source, int strength, const FilterRun& run);

} // namespace gp
