#pragma once
// What a transition draws on: the picture area of the slide-show frame. A transition only ever
// copies rectangles of the new picture onto the area, at the same place or shifted; the slide
// window copies onto the screen, the command-line tool and the tests onto images of their own.
// Rectangles are in picture pixels, rows counted from the top, and always lie inside the
// picture (source) and inside the area (target), which have the picture's size.

#include "base/Geometry.h"

namespace gp {

class SlideCanvas {
public:
    virtual ~SlideCanvas() = default;
    // Copies the picture's pixels in source to the area, source's top-left corner at target.
    virtual void copy(const Rect& source, Point target) = 0;
};

} // namespace gp
