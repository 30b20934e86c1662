#pragma once
// Scroll ranges and steps of a document view. The ranges account for each scroll bar taking
// room from the other direction once it shows; positions keep their relative place when the
// ranges change.

#include "base/Geometry.h"

namespace gp {

struct ScrollBarThickness {
    int horizontalHeight = 0; // height of the horizontal bar
    int verticalWidth = 0; // width of the vertical bar
};

struct ScrollRanges {
    int horizontal = 0; // positions run 0..horizontal
    int vertical = 0;
};

// zoomed: the image's size on screen; ruler: the ruler band (0 without rulers).
ScrollRanges computeScrollRanges(Size zoomed, Size client, int ruler, ScrollBarThickness bars);

// A position rescaled by new range / old range when both are positive, then limited to the new
// range.
int rescaleScrollPosition(int position, int oldRange, int newRange);

// One tenth of the client extent (at least 1), and the client extent less the ruler.
inline int scrollLineStep(int clientExtent)
{
    return clientExtent / 10 > 0 ? clientExtent / 10 : 1;
}
inline int scrollPageStep(int clientExtent, int ruler)
{
    return clientExtent - ruler > 0 ? clientExtent - ruler : 1;
}

} // namespace gp
