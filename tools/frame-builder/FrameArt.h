#pragma once
// The frame artwork shipped with the program, drawn by our own code: each frame is a picture, the
// window the photo shows through (with a soft or shaped edge) and a name.

#include "base/Geometry.h"

#include <functional>
#include <string>
#include <vector>

namespace gp::frames {

struct Colour {
    double red = 0;
    double green = 0;
    double blue = 0;
};

struct FrameDesign {
    std::string name;
    int width = 0;
    int height = 0;
    Rect window; // in picture pixels, top row 0
    // How far inside the window's shape a window position (from the window's top-left corner)
    // lies, in pixels; negative outside.
    std::function<double(double u, double v)> inside;
    // Over how many pixels the mask rises from 0 to 255 inside the shape's edge.
    double feather = 1.5;
    // The frame's colour at a picture position.
    std::function<Colour(int x, int y)> paint;
};

std::vector<FrameDesign> frameDesigns();

} // namespace gp::frames
