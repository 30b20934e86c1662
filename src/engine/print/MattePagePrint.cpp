#include "print/MattePagePrint.h"

#include "draw/PrintDevice.h"
#include "layout/Calendar.h"
#include "layout/PhotoFit.h"
#include "print/LayoutPagePrint.h"
#include "print/PrintAbort.h"
#include "print/PrinterState.h"
#include "print/PrintingHost.h"
#include "shell/StringTable.h"

namespace gp {

namespace {

void drawBackground(PrintDevice& device, const MattePrintJob& job, Size page)
{
    const MattePage& matte = *job.page;
    if (matte.backgroundKind == 1) {
        device.fillRect({-1, -1, page.width + 1, page.height + 1}, matte.backgroundColor);
    } else if (matte.backgroundKind >= 2 && job.background) {
        const Image& image = *job.background;
        const Rect fitted = fitPhoto({0, 0, 3 * page.width / 4, 3 * page.height / 4}, {image.width(), image.height()});
        const Rect place = backgroundRect(page, {fitted.width(), fitted.height()}, matte.kind);
        drawImageInStrips(device, image, place);
    }
}

} // namespace

bool drawMattePage(PrintDevice& device, const MattePrintJob& job, const MayContinue& mayContinue)
{
    const MattePage& matte = *job.page;
    const Size printable = device.printableSize();
    const int scale = 10 * device.resolutionX();
    auto stopped = [&] {
        if (!mayContinue || mayContinue())
            return false;
        device.abortDocument();
        return true;
    };
    if (device.startDocument(text(StringId::PageDocumentName)) <= 0 || device.startPage() <= 0)
        return false;
    drawBackground(device, job, printable);
    if (stopped())
        return false;
    const Rect photoRect = printedRect(matte.photoRect, job.preview, printable);
    if (job.photo)
        drawImageInStrips(device, *job.photo, photoRect);
    if (matte.drawFrame)
        device.frameRect(photoRect, Pen{{0, 0, 0}, 3, PenStyle::Solid});
    if (stopped())
        return false;

    if (matte.kind == MatteKind::Calendar) {
        const Size size = textWindowSize(device, matte, false, scale);
        const Point at = printedTextPosition(matte.lowerRect, size.width - 4, job.preview, printable);
        drawCalendar(device, scale, matte.year, std::max(matte.month, 0), at, matte.lower.font, matte.lower.sizeTenths,
                     matte.lower.color);
    } else if (!matte.lower.text.empty()) {
        const Size size = textWindowSize(device, matte, false, scale);
        drawMatteText(device, matte.lower, scale,
                      printedTextPosition(matte.lowerRect, size.width - 4, job.preview, printable));
    }
    if (!matte.upper.text.empty()) {
        const Size size = textWindowSize(device, matte, true, scale);
        drawMatteText(device, matte.upper, scale,
                      printedTextPosition(matte.upperRect, size.width - 4, job.preview, printable));
    }
    const bool ended = device.endPage() > 0;
    return device.endDocument() > 0 && ended;
}

bool printMattePage(PrinterState& printer, PrintingHost& host, const MattePrintJob& job)
{
    host.setWaitCursor(true);
    printer.selection().setOrientationOverride(job.page->landscape ? OrientationOverride::Landscape
                                                                   : OrientationOverride::Portrait);
    std::unique_ptr<PrintDevice> device = printer.openContext();
    printer.selection().setOrientationOverride(OrientationOverride::None);
    if (!device) {
        host.setWaitCursor(false);
        return false;
    }
    host.showPrintingWindow(text(StringId::PrintingStartProgress));
    PrintAbort abort(host);
    if (device->hasFunction(DocumentFunction::SetAbortProc))
        device->setAbortProcedure([&abort](int error) { return abort(error); });
    const bool printed = drawMattePage(*device, job, [&abort] { return abort(0); }) && !abort.aborted();
    host.closePrintingWindow();
    device.reset();
    host.setWaitCursor(false);
    return printed;
}

} // namespace gp
