#pragma once
// Splash: every pixel copies a random neighbour at most a/2 columns and rows away, with
// a = spread (limited to 1..50) + 1: column x + a/2 − (r1 mod a), stored row y + a/2 − (r2 mod a),
// each limited to the image (r1 drawn before r2 from the program's generator). Accepts 24-bit
// and grayscale images; nothing for other types, on Escape or without memory.

#include "editing/FilterRun.h"
#include "base/ClassicRandom.h"

#include <optional>

namespace gp {

std::optional<Image> splash(const Image& source, int spread, ClassicRandom& random, const FilterRun& run);

} // namespace gp
