#include "layout/RectZone.h"

namespace gp {

namespace {

constexpr int kEdgeBand = 6;
constexpr int kCoreAcross = 15;
constexpr int kCoreAlong = 5;

Rect shrunk(const Rect& r, int dx, int dy)
{
    return { r.left + dx, r.top + dy, r.right - dx, r.bottom - dy };
}

} // namespace

RectZone rectZone(const Rect& r, Point p, CutDirection cut)
{
    const bool vertical = cut == CutDirection::Vertical;
    const Rect core = shrunk(r, vertical ? kCoreAcross : kCoreAlong, vertical ? kCoreAlong : kCoreAcross);
    if (core.contains(p))
        return RectZone::Core;
    const Rect inner = shrunk(r, kEdgeBand, kEdgeBand);
    if (inner.contains(p))
        return RectZone::Inside;
    const Rect outer = shrunk(r, -kEdgeBand, -kEdgeBand);
    if (!outer.contains(p))
        return RectZone::Outside;
    const bool alongY = p.y >= inner.top && p.y < inner.bottom;
    const bool alongX = p.x >= inner.left && p.x < inner.right;
    if (alongY && p.x < inner.left)
        return RectZone::Left;
    if (alongY && p.x >= inner.right)
        return RectZone::Right;
    if (alongX && p.y < inner.top)
        return RectZone::Top;
    if (alongX && p.y >= inner.bottom)
        return RectZone::Bottom;
    return RectZone::Outside;
}

} // namespace gp
