#pragma once
// The display copy of a picture: scaled to fit a window and centred in it, so that every
// interaction of the workflow screens works on a window-sized picture.
//
// Sizes here are the display's own pixels. A dense display shows `unit` pixels for each step of
// the interface (the window program passes its pixel density, 1 on an ordinary display); the fit
// is made in whole units, so the same window at unit 2 gives exactly twice the rectangle of unit
// 1 and everything measured from it lands on the same places of the photo.

#include "base/Geometry.h"
#include "image/Allocator.h"

#include <optional>

namespace gp {

// The largest rectangle of the picture's proportion inside the window, centred; at least one
// unit each way, its corners on the unit grid.
Rect fittedRect(Size picture, Size window, int unit = 1);

struct DisplayCopy {
    Image image;
    Rect rect; // where it is shown, in window coordinates
};

// Nothing for an empty picture or window, or without memory.
std::optional<DisplayCopy> makeDisplayCopy(
    const Image& picture, Size window, const Allocator& allocator, int unit = 1);

} // namespace gp
