#pragma once
// Lifts a rectangle of a picture into a new image (the floating selection, a clipboard copy, a
// crop): the picture's depth, colour table and resolution at the rectangle's size. Every pixel
// of the rectangle is copied, masked or not; pixels that lie outside the picture take the fill
// colour (its nearest colour-table index for images with a table). The rectangle is in picture
// pixels, top row 0. Nothing for an empty rectangle, on another depth, on allocation failure or
// when the user presses Escape (unless interrupt is Never, as for cutting a mask).

#include "base/Geometry.h"
#include "editing/PixelProgress.h"
#include "image/Allocator.h"
#include "base/Rgb.h"

namespace gp {

std::optional<Image> liftSelection(
    const Image& picture, Rect area, Rgb fill, const Allocator& allocator, Interrupt interrupt = Interrupt::ByEscape);

// The rectangle a mask covers when its top left corner lies at (left, top).
inline Rect maskRect(const Image& mask, int left, int top)
{
    return { left, top, left + mask.width(), top + mask.height() };
}

} // namespace gp
