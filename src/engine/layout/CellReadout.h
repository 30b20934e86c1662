#pragma once
// What the layout screen tells about a cell: its size in inches for the status line, and how
// sharp its photo will print (the photo's pixels over the inches of its fitted box, the lower of
// the two directions), flagged when below the low-resolution threshold of GLMPRESS.INI (key
// LowResDpi of section USER, 150 by default). The size of a label or one-size cell is shown the
// same way beside the page.

#include "layout/FreeStyle.h"
#include "layout/LayoutList.h"
#include "layout/LayoutPage.h"
#include "shell/ProfileFile.h"

#include <optional>
#include <string>

namespace gp {

inline constexpr int kDefaultLowResolutionDpi = 150;

int readLowResolutionDpi(const ProfileFile& settings);
// The unit of the size read-outs (key SizeUnit: 0 inches, 1 centimetres).
SizeUnit readSizeUnit(const ProfileFile& settings);

// How a photo prints in a cell given in printer pixels.
struct CellPrint {
    Rect fitted; // the photo's fitted box, printer pixels
    double widthInches = 0;
    double heightInches = 0;
    int dpi = 0; // effective resolution
    bool low = false; // below the threshold
};
std::optional<CellPrint> cellPrint(
    const Rect& printerCell, int percent, Size photo, const PageGeometry& page, int lowDpi);

// The status-line text of a cell: " Photo Size: " (or the user template's name) with the cell's
// width and height in inches ("%.1fx%.1f"), and, when the cell holds a photo, its pixel size and
// effective resolution, marked when low.
std::string cellSizeReadout(const LayoutList& list, const Rect& printerCell, const PageGeometry& page,
    const Image* photo, int percent, int lowDpi);

// The cell size of a label sheet or one-size grid, shown beside the page.
std::string sheetSizeText(const SheetLayout& sheet, const PageGeometry& page, SizeUnit unit);

} // namespace gp
