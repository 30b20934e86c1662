#pragma once
// Resamples an image to a new width and height and sets its resolution to the given dots per
// inch. 24-bit and grayscale images are interpolated bilinearly with weights in eighths; indexed
// and 1-bit images take the nearest sample, so their colours stay inside their table. The
// source positions are running sums of the ratios (old / new size), tabulated once per call.
// Nothing when a size is not positive, on another depth, on allocation failure or when the user
// presses Escape (unless interrupt is Never). With workers the destination rows are split over
// them (the same bytes as on one thread).

#include "base/WorkerPool.h"
#include "editing/PixelProgress.h"
#include "image/Allocator.h"

namespace gp {

std::optional<Image> resample(const Image& source, int newWidth, int newHeight, int dotsPerInch,
    const Allocator& allocator, Interrupt interrupt = Interrupt::ByEscape, WorkerPool* workers = nullptr);

// Dots per inch as pixels per metre, rounded as the image header keeps it.
std::int32_t pixelsPerMeter(int dotsPerInch);

} // namespace gp
