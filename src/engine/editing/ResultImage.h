#pragma once
// The block a pixel routine writes its result into: the source's depth, colour table and
// resolution at a new size, zero-filled (so row padding stays zero). Nothing when the depth is
// not 1, 4, 8 or 24 (silently) or the memory cannot be had (the allocator has said so).

#include "image/Allocator.h"

namespace gp {

std::optional<Image> allocateLike(const Image& source, int width, int height, const Allocator& allocator);

// A copy of an image made through the allocator (with its ceiling and its message).
std::optional<Image> duplicate(const Image& source, const Allocator& allocator);

} // namespace gp
