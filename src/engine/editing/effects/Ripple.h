#pragma once
// Ripple: a wave displacement with half-period q = a/2 + 3 and an amplitude that rises and falls
// in a zigzag: d(i) = trunc(0.5 + 0.25·|q − (i mod 2q)|·sin(i·4π/q)). The pixel at column x,
// stored row y copies the source pixel at column x + d(y), stored row y + d(x + y), each limited
// to the image. Accepts 24-bit and grayscale images; nothing for other types, on Escape or
// without memory.

#include "editing/FilterRun.h"

#include <optional>
#include <vector>

namespace gp {

// The displacements d(0) .. d(count − 1).
std::vector<int> rippleDisplacements(int strength, int count);

std::optional<Image> ripple(const Image& source, int strength, const FilterRun& run);

} // namespace gp
