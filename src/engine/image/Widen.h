#pragma once
// Expands a 1-, 4- or 8-bit image to 24-bit RGB through its colour table (at most 256 entries;
// an index past the table gives black). A 24-bit image is copied. Nothing when the depth is
// another one or the memory cannot be had (the allocator has then said so).

#include "image/Allocator.h"

namespace gp {

std::optional<Image> widenTo24(const Image& image, const Allocator& allocator);

} // namespace gp
