#pragma once
// The display copy of a picture: scaled to fit a window and centred in it, so that every
// interaction of the workflow screens works on a window-sized picture.

#include "base/Geometry.h"
#include "image/Allocator.h"

#include <optional>

namespace gp {

// The largest rectangle of the picture's proportion inside the window, centred; at least one
// pixel each way.
Rect fittedRect(Size picture, Size window);

struct DisplayCopy {
    Image image;
    Rect rect; // where it is shown, in window coordinates
};

// Nothing for an empty picture or window, or without memory.
std::optional<DisplayCopy> makeDisplayCopy(const Image& picture, Size window, const Allocator& allocator);

} // namespace gp
