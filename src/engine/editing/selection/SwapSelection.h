#pragma once
// Exchanges the floating selection with the picture beneath it, in place: every pixel of the
// mask's rectangle at (left, top) whose mask bit is set and that lies inside the picture trades
// places with the floating image's pixel. Doing it twice restores both, so it lifts a selection
// out of the picture or puts it back without losing a pixel. The floating image must have the
// mask's size and the picture's depth; nothing happens otherwise.

#include "image/Image.h"

namespace gp {

void swapSelection(Image& picture, const Image& mask, Image& floating, int left, int top);

} // namespace gp
