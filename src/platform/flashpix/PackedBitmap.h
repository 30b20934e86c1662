#pragma once
// Conversions between the program's packed bitmaps (40-byte header, colour table, bottom-up rows
// padded to 4 bytes) and the library's rasters.

#include "Raster.h"
#include "base/Result.h"

#include <cstdlib>
#include <memory>

namespace gp::fpx {

// A packed bitmap of 1, 4, 8 or 24 bits per pixel (rows bottom-up, or top-down for a negative
// height) to a raster: gray when every colour-table entry is gray, else RGB. Unsupported for other
// depths or compressed bitmaps.
Result<Raster> rasterFromPacked(const std::uint8_t* packed);

struct FreeDeleter {
    void operator()(std::uint8_t* p) const { std::free(p); }
};
using PackedPointer = std::unique_ptr<std::uint8_t, FreeDeleter>;

// A malloc block with the raster as a 24-bit bitmap, or 8-bit with a gray table for one channel.
Result<PackedPointer> packedFromRaster(const Raster& raster);

} // namespace gp::fpx
