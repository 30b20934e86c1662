#pragma once
// The bounding box of the set bits of a selection mask, in mask pixels (top row 0); nothing when
// no bit is set. A turned selection is trimmed to it.

#include "base/Geometry.h"
#include "image/Image.h"

#include <optional>

namespace gp {

std::optional<Rect> maskBounds(const Image& mask);

} // namespace gp
