#pragma once
// 3D Grid: raised square tiles with a period of p = size (limited to 1..100) + 7 pixels, lit from
// the top left: within each tile (rows in storage order) the grooves at offsets 0 and p − 1 stay
// unchanged, the bottom inner edge and the right inner edge darken by 92, the top and left inner
// edges brighten by 92 (bottom edge first, then top or left, then right). Accepts 24-bit and
// grayscale images; nothing for other types, on Escape or without memory.

#include "editing/FilterRun.h"

#include <optional>

namespace gp {

std::optional<Image> grid3d(const Image& source, int size, const FilterRun& run);

} // namespace gp
