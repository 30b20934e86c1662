#pragma once
// The album's Print Thumbnails page: the chosen photos' stored thumbnails in a grid on as many
// pages as they need, optionally each with its file name under it, printed through the print
// pipeline like every other page. A thumbnail is printed at 96 of its pixels to the inch (so a
// full-size one spans one inch on its longer side) and centred in a cell of 1.5 inch, plus a
// line of 9-point text when names are printed. The grid is centred across the printable width.

#include "base/Geometry.h"

#include <string>
#include <vector>

namespace gp {

class AlbumList;
class Host;
class PrintDevice;
class PrinterState;

// The photos to print: numbers from and to (1-based, inclusive; all when both are 0).
struct ThumbnailPrintJob {
    const AlbumList* album = nullptr;
    int from = 0;
    int to = 0;
    bool fileNames = false;
};

struct ThumbnailSheetLayout {
    int columns = 0;
    int rows = 0;
    Size cell; // device pixels
    Point origin; // the first cell's top-left corner
    int nameHeight = 0; // 0 without names
    int perPage() const { return columns * rows; }
    Rect cellRect(int indexOnPage) const;
    // The thumbnail's place in its cell: 96 thumbnail pixels to the inch, centred in the box
    // above the name line.
    Rect thumbnailRect(int indexOnPage, Size thumbnail, int dpiX, int dpiY) const;
    Rect nameRect(int indexOnPage) const;
};

ThumbnailSheetLayout layoutThumbnailSheet(Size printable, int dpiX, int dpiY, bool fileNames);

// The photo indexes (0-based) the job prints, in album order.
std::vector<int> thumbnailJobPhotos(const ThumbnailPrintJob& job);

// The name printed under a thumbnail: the file name without its folder, cut with "..." to fit.
std::string thumbnailCaption(const std::string& path);

// Draws the job on an open device, one page per sheet of thumbnails; false when the device
// refused a step or there is nothing to print.
bool drawThumbnailSheets(PrintDevice& device, const ThumbnailPrintJob& job);

// Print Thumbnails: beeps when the range holds no photo, opens the selected printer and prints.
// False when nothing was printed.
bool printThumbnails(PrinterState& printer, Host& host, const ThumbnailPrintJob& job);

} // namespace gp
