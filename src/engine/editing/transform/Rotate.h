#pragma once
// Turns an image clockwise (as seen on screen) by any whole number of degrees, taken modulo 360.
// 90, 180 and 270 are exact quarter turns; 0 gives a copy. Other angles map every destination
// pixel back into the source in 16.16 fixed point: 24-bit and grayscale pixels are interpolated
// bilinearly with weights in eighths, indexed and 1-bit pixels take the nearest sample. The new
// size is the bounding box of the turned picture; the corners take the fill colour (its nearest
// colour-table index for images with a table). A selection mask turns with RotationSubject::Mask:
// its corners are unselected and the turn cannot be interrupted. Nothing on another depth, on
// allocation failure or when the user presses Escape. With workers the rows are split over them
// (the same bytes as on one thread).

#include "base/Geometry.h"
#include "image/Allocator.h"
#include "base/Rgb.h"
#include "base/WorkerPool.h"

namespace gp {

enum class RotationSubject { Picture, Mask };

std::optional<Image> rotateByAngle(const Image& source, int clockwiseDegrees, Rgb fill, const Allocator& allocator,
    RotationSubject subject = RotationSubject::Picture, WorkerPool* workers = nullptr);

// The size of the result of rotateByAngle for an image of the given size (any angle).
Size rotatedSize(int width, int height, int clockwiseDegrees);

} // namespace gp
