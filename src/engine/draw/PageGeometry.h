#pragma once
// The page the layouts compute with, in printer pixels: printable size, resolution, paper size,
// printing offset and the whole-inch size. When no printer context can be opened the fallback
// page (8 × 10.2 inches printable on an 8.5 × 11 inch sheet at 600 dpi) stands in, so the layout
// screen always has a page.

#include "base/Geometry.h"

namespace gp {

class PrintDevice;

struct PageGeometry {
    int printableWidth = 4800;
    int printableHeight = 6120;
    int dpiX = 600;
    int dpiY = 600;
    Point printingOffset;
    int paperWidth = 5100;
    int paperHeight = 6600;
    int wholeInchWidth = 4800;
    int wholeInchHeight = 6000;

    // The page size layouts read: the whole-inch size for the user's own templates, the
    // printable size otherwise.
    Size layoutSize(bool wholeInches) const;

    friend bool operator==(const PageGeometry&, const PageGeometry&) = default;
};

PageGeometry fallbackPageGeometry();

// Reads the geometry of an open device: sizes of at least one pixel, resolutions of at least 1,
// the offset and paper size only where the device answers those escapes, the paper never
// smaller than the printable area.
PageGeometry measurePageGeometry(const PrintDevice& device);

} // namespace gp
