#pragma once
// Where a point lies against a rectangle, as the template editor's tools ask: in the core (far
// enough from the edges to split there), inside, outside, or in the band along one edge.

#include "base/Geometry.h"

namespace gp {

enum class RectZone { Top = 0, Bottom = 1, Left = 2, Right = 3, Inside = 4, Outside = 5, Core = 6 };

// Which core the caller needs: a vertical cut keeps 15 pixels from the left and right edges and
// 5 from the others; a horizontal cut the other way round.
enum class CutDirection { Vertical, Horizontal };

// The zone of p against r: Core when p lies in r shrunk by 15 across the cut and 5 along it,
// Inside when in r shrunk by 6, Outside when not in r grown by 6, otherwise the edge whose band
// (between the grown and the shrunk rectangle) holds it; a corner of the band is Outside.
RectZone rectZone(const Rect& r, Point p, CutDirection cut = CutDirection::Vertical);

inline bool isEdgeZone(RectZone zone)
{
    return int(zone) <= int(RectZone::Right);
}

} // namespace gp
