#pragma once
// Prints the single-photo page: the background over the printable area, the photo at its place
// (with a 3-pixel black frame when asked), the lower text or the calendar, then the upper text,
// at the positions the preview gives them, scaled to the printer.

#include "layout/MattePage.h"

#include <functional>
#include <optional>

namespace gp {

class PrintingHost;
class PrintDevice;
class PrinterState;

struct MattePrintJob {
    const MattePage* page = nullptr;
    const Image* photo = nullptr;
    const Image* background = nullptr; // the catalogue picture for the page's orientation
    Size preview;                      // the preview window the item rectangles are measured in
};

// Asked between the page's items whether the job may go on; false drops the job.
using MayContinue = std::function<bool()>;

// Draws the page on an open device as one document of one page; false when a step failed or
// mayContinue stopped the job, whose output is then discarded.
bool drawMattePage(PrintDevice& device, const MattePrintJob& job, const MayContinue& mayContinue = {});

// Opens the printer with the page's orientation as override (cleared again at once) and prints,
// with the Printing window up so that its Cancel can stop the job between items and pages.
// False when there is no printer, a step failed or the user cancelled.
bool printMattePage(PrinterState& printer, PrintingHost& host, const MattePrintJob& job);

} // namespace gp
