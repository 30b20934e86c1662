#pragma once
// Turns an image clockwise (as seen on screen) by 90, 180 or 270 degrees, copying every pixel
// exactly for 1-, 4-, 8- and 24-bit images (nibbles and bits re-packed, row padding zero). Width
// and height swap for 90 and 270. Nothing for another angle or depth, on allocation failure or
// when the user presses Escape (unless interrupt is Never). With workers the destination rows are
// split over them.

#include "base/WorkerPool.h"
#include "editing/PixelProgress.h"
#include "image/Allocator.h"

namespace gp {

std::optional<Image> rotateQuarterTurns(
    const Image& source, int clockwiseDegrees, const Allocator& allocator, Interrupt interrupt = Interrupt::ByEscape,
    WorkerPool* workers = nullptr);

} // namespace gp
