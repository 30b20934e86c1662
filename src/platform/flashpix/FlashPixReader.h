#pragma once
// Reads the full-resolution level of a FlashPix file held in memory: the "Image View" layout (the
// source image in "Data Object Store 000001") or a plain image object at the root; uncompressed,
// single-colour and JPEG tiles (whole streams, or abbreviated ones with shared tables); monochrome,
// PhotoYCC and RGB colour, an opacity channel being dropped. PhotoYCC is turned into RGB.
// Fails with Malformed for a file that is not FlashPix or contradicts itself, Truncated when tiles
// lie outside their stream, Unsupported for colour or tile kinds outside those above, TooLarge when
// the picture would exceed maxBytes.

#include "Raster.h"
#include "base/Result.h"

#include <span>

namespace gp::fpx {

Result<Raster> readFlashPix(std::span<const std::uint8_t> file, std::size_t maxBytes);

} // namespace gp::fpx
