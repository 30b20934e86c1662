#pragma once
// What the curve box of the Tone Adjustment dialog draws, in box pixels: the histogram of the
// chosen channel as one bar height per level, scaled so that the fullest level fills the box's
// inner height (height − 2), and the current table as one polyline point per column of the inner
// width. The window side only draws the lines.

#include "editing/tone/ChannelTables.h"
#include "editing/tone/ToneCurve.h"

#include <array>
#include <vector>

namespace gp {

// Bar heights 0..height − 2 for levels 0..255; a level with a count keeps at least height 1.
std::array<int, 256> histogramBarHeights(const LevelHistogram& histogram, int height);

// For each column x of the inner width w: bottom − (table[(x·255 + w/2)/w]·(height − 2) + 127)/255.
std::vector<int> curvePoints(const LevelTable& table, int innerWidth, int height, int bottom);

} // namespace gp
