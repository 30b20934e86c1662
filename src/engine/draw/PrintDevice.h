#pragma once
// A printer as the print pipeline sees it: a drawing context with the printer's capabilities
// (printable size, resolution, paper size, printing offset, the escapes it answers) and the
// document steps (start document and page, bands, end page and document, abort). A device may
// lack a document function or refuse an escape, and the pipeline reports exactly that.

#include "draw/DrawingContext.h"

#include <functional>
#include <string_view>

namespace gp {

// Printer escapes by their numbers.
enum class Escape : int {
    NewFrame = 1,
    NextBand = 3,
    QueryEscSupport = 8,
    SetAbortProc = 9,
    StartDoc = 10,
    EndDoc = 11,
    GetPhysPageSize = 12,
    GetPrintingOffset = 13,
    BandInfo = 24,
};

// The document functions a device offers by name.
enum class DocumentFunction { SetAbortProc, StartDoc, StartPage, EndPage, EndDoc };

// The record a banding device fills for each band: whether it wants graphics and text in it,
// and the area that holds them.
struct BandInfo {
    bool graphicsWanted = true;
    bool textWanted = true;
    Rect area;
};

// Called by the device while it works, with a non-zero error when the device itself failed.
// Returns true to go on with the job and false to abort it.
using AbortProcedure = std::function<bool(int error)>;

// What a document step returns when the abort procedure stopped the job.
inline constexpr int kJobAborted = -2;

class PrintDevice : public DrawingContext {
public:
    // The printable area in device pixels, the resolution in dots per inch.
    virtual Size printableSize() const = 0;
    virtual int resolutionX() const = 0;
    virtual int resolutionY() const = 0;
    // The whole sheet and the printable area's distance from its top-left corner, in device
    // pixels; meaningful when the matching escape is supported.
    virtual Size paperSize() const = 0;
    virtual Point printingOffset() const = 0;

    virtual bool supportsEscape(Escape escape) const = 0;
    virtual bool hasFunction(DocumentFunction function) const = 0;

    // The document steps. Each returns a positive value on success and zero or less on failure;
    // a step that the abort procedure stopped returns kJobAborted.
    virtual int setAbortProcedure(AbortProcedure procedure) = 0;
    virtual int startDocument(std::string_view name) = 0;
    virtual int startPage() = 0;
    // The next strip of the page to draw, top to bottom; an empty band means the page is done.
    virtual int nextBand(Rect& band) = 0;
    virtual int bandInfo(BandInfo& info) = 0;
    virtual int endPage() = 0;
    virtual int endDocument() = 0;
    // Drops the job: nothing of it reaches the printer.
    virtual void abortDocument() = 0;
};

} // namespace gp
