#pragma once
// Ribbon: every column slides up the picture by a cosine wave of `waves` half-periods across the
// width, amplitude A = strength × height × 3 / 400 rows: shift(x) = trunc(A·(cos(x·π·waves·0.1 /
// width) + 1)/2). The pixel at stored row y copies stored row y − shift(x) while that lies in
// 0 .. height − A − 1; the rest of the column takes the active colour (for a grayscale image the
// gray index nearest to it). Accepts 24-bit and grayscale images; nothing for other types, on
// Escape or without memory.

#include "editing/FilterRun.h"
#include "base/Rgb.h"

#include <optional>

namespace gp {

std::optional<Image> ribbon(const Image& source, int waves, int strength, Rgb active, const FilterRun& run);

} // namespace gp
