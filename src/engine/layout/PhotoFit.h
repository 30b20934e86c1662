#pragma once
// How a photo sits in its cell, on screen and on paper alike: the photo box is the percentage
// of the cell's width and height, centred in the cell; the photo is fitted into the box keeping
// its proportions, never cropped or rotated, and centred in the cell.

#include "base/Geometry.h"

namespace gp {

Rect photoBox(const Rect& cell, int percent);
Rect fitPhoto(const Rect& box, Size photo);

} // namespace gp
