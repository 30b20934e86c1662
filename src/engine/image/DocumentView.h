#pragma once
// What the engine needs to know of the window that shows the active document: the area the
// picture may fill (client size less the rulers, plus the scroll bars that are shown) and a call
// after the zoom changed so the window repaints. The window program fills it in; the
// command-line tool gives the size of --window.

#include "base/Geometry.h"

#include <functional>

namespace gp {

struct DocumentView {
    std::function<Size()> usableArea;
    std::function<void()> zoomChanged;
};

} // namespace gp
