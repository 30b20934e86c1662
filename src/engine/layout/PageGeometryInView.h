#pragma once
// Where the printer page lies in the layout window: the paper fitted into the client area (inset
// by 4 pixels) with its own proportions and centred, and the printable area centred on it.

#include "base/Geometry.h"
#include "draw/PageGeometry.h"

namespace gp {

Rect paperRectInView(Size client, const PageGeometry& page);
Rect printableRectInView(const Rect& paper, const PageGeometry& page);

// A rectangle in printer pixels of the printable area, mapped into the view's printable
// rectangle, and back.
Rect printerToView(const Rect& printer, const Rect& viewPrintable, Size printable);
Rect viewToPrinter(const Rect& view, const Rect& viewPrintable, Size printable);

} // namespace gp
