#pragma once
// The output resolution of a photo printed alone: dots per inch in steps of 10 from 10 to 1000,
// kept by a scroll position of resolution / 10 that never lets the photo outgrow the printable
// area. The printer's horizontal resolution serves both directions.

#include "base/Geometry.h"

#include <cstdint>

namespace gp {

struct PrinterPage {
    int dpi = 600; // horizontal resolution DX
    Size printable { 1, 1 }; // PW × PH
};

// The lowest scroll position: the resolution, in tens rounded up, below which the photo would
// no longer fit the printable area; at least 1.
int minimumResolutionPosition(Size photo, const PrinterPage& page);

// The resolution the Print dialog starts with: the photo's own (from its pixels per metre) or,
// when it has none, the previous one; raised to a multiple of 10, at most 1000 and at least the
// minimum position's.
int initialOutputResolution(std::int32_t photoPelsPerMeter, int previous, Size photo, const PrinterPage& page);

// A requested resolution as the dialog's scroll bar takes it: rounded to a multiple of 10 and
// limited to the scroll range.
int limitOutputResolution(int requested, Size photo, const PrinterPage& page);

// The print scale in percent for both axes: DX × 100 / resolution.
int printScalePercent(int resolution, const PrinterPage& page);

} // namespace gp
