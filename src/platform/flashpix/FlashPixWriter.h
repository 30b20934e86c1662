#pragma once
// Builds a FlashPix file from a raster: every resolution level from the full size down to the first
// that fits one 64 × 64 tile (each the 2 × 2 average of the one above), cut into tiles whose edges
// repeat the last column and row, coded uncompressed or as JPEG with one shared set of tables, in
// the "Image View" layout with the summary, global-info and data-object property sets. RGB rasters
// are written as NIF RGB, gray ones as monochrome; the resolution becomes the display size in inches.

#include "Raster.h"
#include "base/Result.h"

namespace gp::fpx {

enum class TileCoding { Uncompressed, Jpeg };

struct WriteOptions {
    TileCoding coding = TileCoding::Jpeg;
    int quality = 90; // 1..100, for JPEG tiles
};

Result<std::vector<std::uint8_t>> buildFlashPix(const Raster& raster, const WriteOptions& options);

// The level below: half the size, rounded up, each pixel the rounded mean of up to four.
Raster halve(const Raster& raster);

} // namespace gp::fpx
