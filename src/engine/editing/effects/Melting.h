#pragma once
// Melting: drops = amount × (width × height / 100) random pixels sink toward the bottom of the
// picture: each drop starts at column r1 mod width, stored row r2 mod height, and while it is
// above stored row 1 and the pixel one stored row lower is at least as bright (for 24-bit the sum
// of the channels), the two are exchanged. Stored row 0 is never reached, and a uniform image
// stays unchanged. Progress and the Escape test every 1280 drops. Accepts 24-bit and grayscale
// images; nothing for other types, on Escape or without memory.

#include "editing/FilterRun.h"
#include "base/ClassicRandom.h"

#include <optional>

namespace gp {

std::optional<Image> melting(const Image& source, int amount, ClassicRandom& random, const FilterRun& run);

} // namespace gp
