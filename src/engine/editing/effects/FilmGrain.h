#pragma once
// Film Grain: adds one random offset g = L/2 − (r mod L) to all channels of each pixel, with
// L = amount (limited to 1..100) + 1 and r drawn from the program's generator, pixel by pixel in
// storage order; results limited to 0..255. Accepts 24-bit and grayscale images; nothing for
// other types, on Escape or without memory.

#include "editing/FilterRun.h"
#include "base/ClassicRandom.h"

#include <optional>

namespace gp {

std::optional<Image> filmGrain(const Image& source, int amount, ClassicRandom& random, const FilterRun& run);

} // namespace gp
