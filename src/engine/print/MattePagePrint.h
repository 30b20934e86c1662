#pragma once
// Prints the single-photo page: the background over the printable area, the photo at its place
// (with a 3-pixel black frame when asked), the lower text or the calendar, then the upper text,
// at the positions the preview gives them, scaled to the printer.

#include "layout/MattePage.h"

#include <optional>

namespace gp {

class Host;
class PrintDevice;
class PrinterState;

struct MattePrintJob {
    const MattePage* page = nullptr;
    const Image* photo = nullptr;
    const Image* background = nullptr; // the catalogue picture for the page's orientation
    Size preview;                      // the preview window the item rectangles are measured in
};

// Draws the page on an open device as one document of one page; false when a step failed.
bool drawMattePage(PrintDevice& device, const MattePrintJob& job);

// Opens the printer with the page's orientation as override (cleared again at once) and prints.
// False when there is no printer or a step failed.
bool printMattePage(PrinterState& printer, Host& host, const MattePrintJob& job);

} // namespace gp
