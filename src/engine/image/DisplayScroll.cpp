#include "image/DisplayScroll.h"

#include <algorithm>

namespace gp {

ScrollRanges computeScrollRanges(Size zoomed, Size client, int ruler, ScrollBarThickness bars)
{
    int dx = zoomed.width + ruler - client.width;
    int dy = zoomed.height + ruler - client.height;
    const bool wasPositive = dx > 0;
    if (dx > 1)
        dy += bars.horizontalHeight;
    if (dy > 1) {
        dx += bars.verticalWidth;
        // The vertical bar's width can bring on the horizontal bar, which takes height too.
        if (!wasPositive && dx > 1)
            dy += bars.horizontalHeight;
    }
    return ScrollRanges { std::max(dx - 1, 0), std::max(dy - 1, 0) };
}

int rescaleScrollPosition(int position, int oldRange, int newRange)
{
    if (oldRange > 0 && newRange > 0)
        position = int(static_cast<long long>(position) * newRange / oldRange);
    return std::clamp(position, 0, std::max(newRange, 0));
}

} // namespace gp
