#pragma once
// Sizes on the free-style page: the Adjust Size presets of a photo object and the size
// read-outs of the selected objects, in the view's pixels with the page's inches.

#include "base/Geometry.h"
#include "draw/PageGeometry.h"

#include <string>

namespace gp {

enum class SizePreset { Default, Pocket, Small, Medium, Large, Dpi100, Dpi150, Dpi200, Dpi250, Dpi300 };

// The view's printable rectangle and the page it stands for.
struct ViewPage {
    Rect printable;   // in view pixels
    PageGeometry page;
    double pixelsPerInchX() const;
    double pixelsPerInchY() const;
};

// The new rectangle of a photo object of photoSize pixels (with xPelsPerMeter for the default
// size) after a preset: keeps its corner, moved in just enough to stay on the printable area;
// fitted into the whole printable area and centred when the size would not fit; unchanged when
// its corner lies outside the printable area.
Rect adjustSize(const Rect& object, Size photoSize, int xPelsPerMeter, SizePreset preset, const ViewPage& view);

enum class SizeUnit { Inch, Centimetre };
// " Photo Size: 4.0\" x 6.0\"" or "Text Size:10.2Cm x 15.2Cm".
std::string sizeReadout(std::string_view label, const Rect& object, const ViewPage& view, SizeUnit unit);

} // namespace gp
