#pragma once
// Prints the layout screen's page: every cell's photo fitted into its photo box and the cells'
// texts, or the free-style page's photos and texts, shifted by the page margins (TOPMARGIN and
// LEFTMARGIN of the settings, in 1/64 inch). Photos of a million pixels or more go to the
// device in strips so the printer's work per call stays bounded. No progress window and no
// messages: an empty page beeps, a missing printer stops silently.

#include "layout/LayoutPage.h"

namespace gp {

class Host;
class PrintDevice;
class PrinterState;
class ProfileFile;

struct PageMargins {
    int top = 0;  // printer pixels
    int left = 0;
};

// TOPMARGIN × DY / 64 and LEFTMARGIN × DX / 64 from section USER.
PageMargins readPageMargins(const ProfileFile& settings, int dpiX, int dpiY);

// What to print: the page, its layout list and selected entry, and for free style the view's
// printable rectangle that the objects' rectangles are measured in.
struct LayoutPrintJob {
    const LayoutPage* page = nullptr;
    const LayoutList* list = nullptr;
    int layoutIndex = 0;
    Rect viewPrintable;
};

// Draws the job on an open device (one document of one page). False when the device refused a
// step.
bool drawLayoutPage(PrintDevice& device, const LayoutPrintJob& job, PageMargins margins);

// The layout screen's Print: refuses an empty My Templates list, beeps on a page without
// photos, opens the selected printer and prints. False when nothing was printed.
bool printLayoutPage(PrinterState& printer, Host& host, const ProfileFile& settings, const LayoutPrintJob& job);

// Draws a whole image into target, in strips of rows when it has 1,048,576 pixels or more.
bool drawImageInStrips(PrintDevice& device, const Image& image, const Rect& target);

} // namespace gp
