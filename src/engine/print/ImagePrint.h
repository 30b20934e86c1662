#pragma once
// Prints one image on one page of the selected printer: placed and scaled by a PrintPlacement,
// drawn band by band (or in one piece), with a description line under it, the Printing window
// showing the progress and a Cancel that aborts the job. Returns the union of the error bits
// (PrintErrors.h) and whether the user aborted.

#include "base/Geometry.h"
#include "print/PrintErrors.h"

#include <string>
#include <string_view>

namespace gp {

class PrintingHost;
class Image;
class PrintDevice;
class PrinterState;

struct PrintPlacement {
    int scaleX = 100; // percent of the image's pixel size
    int scaleY = 100;
    bool centerX = true;
    bool centerY = true;
    int positionX = 0; // 1/10000 of the printable size, for an axis that is not centred
    int positionY = 0;
    std::string description; // at most 31 characters are printed
};

// How the document steps reach the device: as printer escapes (SETABORTPROC, STARTDOC, NEWFRAME,
// ENDDOC), or as document functions looked up by name (SetAbortProc, StartDoc, EndPage, EndDoc),
// where a missing function is reported as such.
enum class DocumentRoute { Escapes, NamedFunctions };

enum class Banding { Off, On };

inline constexpr std::size_t kMaxDescriptionLength = 31;

// The image's rectangle on a printable area of the given size: scaled with rounding, centred
// (never left of or above the area) or at its position fraction.
Rect imageRectOnPage(Size imageSize, const PrintPlacement& placement, Size printable);

// Draws the part of the image that falls into band: its rectangle on the page is imageRect.
// Writes the description 10 pixels under the picture when the band reaches its bottom, and the
// progress into the Printing window. Returns error bits.
std::uint32_t drawImagePart(PrintDevice& device, PrintingHost& host, const Image& image, const Rect& imageRect,
    const Rect& band, std::string_view description);

PrintResult printImage(PrinterState& printer, PrintingHost& host, const Image* image, const PrintPlacement& placement,
    Banding banding, DocumentRoute route, std::string_view documentName);

} // namespace gp
