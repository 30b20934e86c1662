#pragma once
// The orientation tag of an EXIF block (the payload of a JPEG APP1 segment, starting "Exif\0\0"),
// read through the EXIF library.

#include <cstdint>
#include <span>

namespace gp {

// 1..8 from the block's first image directory; 1 when the block, or the tag, is missing,
// damaged or out of range.
int exifOrientation(std::span<const std::uint8_t> exifBlock);

} // namespace gp
