#pragma once
// Wrinkle: two random walks crumple the picture. A walk over the columns gives each column a
// vertical shift and a walk over the stored rows a horizontal one: each step draws r = rand mod
// 1000 and grows by one when r < 5·b (b limited to 1..100), shrinks by one when r > 1000 − 5·b.
// The pixel at (x, y) copies (x + h(y), y + v(x)); outside the image it takes the active colour
// (for a grayscale image its red value as the index). Accepts 24-bit and grayscale images;
// nothing for other types, on Escape or without memory.

#include "editing/FilterRun.h"
#include "base/ClassicRandom.h"
#include "base/Rgb.h"

#include <optional>

namespace gp {

std::optional<Image> wrinkle(const Image& source, int strength, ClassicRandom& random, Rgb active, const FilterRun& run);

} // namespace gp
