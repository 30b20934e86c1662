#pragma once
// Motion Blur: every pixel becomes the truncated mean of the L pixels of its row ending at it
// (columns left of the image repeat the row's first pixel), per channel, with L limited to the
// smaller of width and height. Accepts 24-bit and grayscale images; nothing for other types,
// L ≤ 0, on Escape or without memory.

#include "editing/FilterRun.h"

#include <optional>

namespace gp {

std::optional<Image> motionBlur(const Image& source, int length, const FilterRun& run);

} // namespace gp
