// The line and column wipes, the moving rectangle, the frame rings, the corner growth and the
// growing edge band: families that copy whole rows, columns or rectangles in a fixed order.

#include "album/TransitionContext.h"

#include <vector>

namespace gp::transition {

bool plainCopy(Context& c)
{
    c.copyAll();
    return c.step(1, 1);
}

bool lineWipe(Context& c, int effect)
{
    const int w = c.width;
    const int h = c.height;
    switch (effect) {
    case RowsFromTop:
    case RowsFromBottom: // one row per step from the top or the bottom
        for (int i = 0; i < h; ++i) {
            c.copyRow(effect == RowsFromTop ? i : h - 1 - i, 0, w);
            if (!c.step(i + 1, h))
                return false;
        }
        return true;
    case ColumnsFromLeft:
    case ColumnsFromRight: // one column per step from the left or the right
        for (int i = 0; i < w; ++i) {
            c.copyColumn(effect == ColumnsFromLeft ? i : w - 1 - i, 0, h);
            if (!c.step(i + 1, w))
                return false;
        }
        return true;
    case ColumnsToMiddle:
    case ColumnsToMiddleAlike: { // a column from each side per step, meeting in the middle
        const int steps = (w + 1) / 2;
        for (int i = 0; i < steps; ++i) {
            c.copyColumn(i, 0, h);
            c.copyColumn(w - 1 - i, 0, h);
            if (!c.step(i + 1, steps))
                return false;
        }
        return true;
    }
    default: { // RowsToMiddle and its twin: a row from the top and one from the bottom per step
        const int steps = (h + 1) / 2;
        for (int i = 0; i < steps; ++i) {
            c.copyRow(i, 0, w);
            c.copyRow(h - 1 - i, 0, w);
            if (!c.step(i + 1, steps))
                return false;
        }
        return true;
    }
    }
}

bool movingRectangle(Context& c, int effect)
{
    // A rectangle of one cell of an n × n grid travels the grid in a snake (by rows for 19 and
    // 21, by columns for 20) in three moves per cell, revealing what it passes over.
    const int variant = effect - MovingRectangle4ByRows;
    const int n = variant == 2 ? 8 : 4 + 2 * variant;
    const int cellW = (c.width + n - 1) / n;
    const int cellH = (c.height + n - 1) / n;
    std::vector<Point> path;
    for (int a = 0; a < n; ++a)
        for (int k = 0; k < n; ++k) {
            const int b = (a % 2) ? n - 1 - k : k;
            path.push_back(variant == 1 ? Point { a * cellW, b * cellH } : Point { b * cellW, a * cellH });
        }
    constexpr int kMoves = 3;
    const long long steps = 1 + (long long)(path.size() - 1) * kMoves;
    long long done = 0;
    c.copyArea(Rect { 0, 0, cellW, cellH });
    if (!c.step(++done, steps))
        return false;
    for (std::size_t i = 1; i < path.size(); ++i)
        for (int m = 1; m <= kMoves; ++m) {
            const int x = path[i - 1].x + (path[i].x - path[i - 1].x) * m / kMoves;
            const int y = path[i - 1].y + (path[i].y - path[i - 1].y) * m / kMoves;
            c.copyArea(Rect { x, y, x + cellW, y + cellH });
            if (!c.step(++done, steps))
                return false;
        }
    return true;
}

bool frameRings(Context& c, int effect)
{
    // Ring k is row k, row h-1-k, column k and column w-1-k between them: 22 from the outside
    // in, 23 from the inside out, 24 alternately from both ends toward the middle ring.
    const int w = c.width;
    const int h = c.height;
    const int rings = (std::min(w, h) + 1) / 2;
    for (int i = 0; i < rings; ++i) {
        int k = i;
        if (effect == RingsOutward)
            k = rings - 1 - i;
        else if (effect == RingsFromBothEnds)
            k = (i % 2) ? rings - 1 - i / 2 : i / 2;
        c.copyRow(k, k, w - k);
        c.copyRow(h - 1 - k, k, w - k);
        c.copyColumn(k, k, h - k);
        c.copyColumn(w - 1 - k, k, h - k);
        if (!c.step(i + 1, rings))
            return false;
    }
    return true;
}

bool cornerGrowth(Context& c, int effect)
{
    // The visible part grows by 1/steps of the picture's size per step from the top-left (39)
    // or bottom-right (40) corner; each step copies the L-shaped part that became visible.
    constexpr int kSteps = 32;
    const int w = c.width;
    const int h = c.height;
    int shownW = 0;
    int shownH = 0;
    for (int k = 1; k <= kSteps; ++k) {
        const int vw = int((long long)w * k / kSteps);
        const int vh = int((long long)h * k / kSteps);
        if (effect == GrowFromTopLeft) {
            c.copyArea(Rect { shownW, 0, vw, vh });
            c.copyArea(Rect { 0, shownH, shownW, vh });
        } else {
            c.copyArea(Rect { w - vw, h - vh, w - shownW, h });
            c.copyArea(Rect { w - shownW, h - vh, w, h - shownH });
        }
        shownW = vw;
        shownH = vh;
        if (!c.step(k, kSteps))
            return false;
    }
    return true;
}

bool edgeBand(Context& c, int effect)
{
    // A band of the full height grows two columns per step from the left (41) or right (42).
    const int w = c.width;
    const int steps = (w + 1) / 2;
    for (int i = 0; i < steps; ++i) {
        const int x = 2 * i;
        if (effect == BandFromLeft)
            c.copyArea(Rect { x, 0, x + 2, c.height });
        else
            c.copyArea(Rect { w - x - 2, 0, w - x, c.height });
        if (!c.step(i + 1, steps))
            return false;
    }
    return true;
}

} // namespace gp::transition
