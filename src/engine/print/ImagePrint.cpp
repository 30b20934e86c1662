#include "print/ImagePrint.h"

#include "draw/PrintDevice.h"
#include "image/Image.h"
#include "print/PrintAbort.h"
#include "print/PrinterState.h"
#include "print/PrintingHost.h"
#include "shell/StringTable.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace gp {

namespace {

constexpr int kDescriptionGap = 10;

// a × b / c rounded to the nearest integer, halves away from zero; -1 when c is 0.
int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t(a) * b;
    const std::int64_t half = (c > 0 ? c : -c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = ((product < 0 ? -product : product) + half) / (c > 0 ? c : -c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

Rect intersect(const Rect& a, const Rect& b)
{
    Rect r { std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
        std::min(a.bottom, b.bottom) };
    return r.isEmpty() ? Rect {} : r;
}

// The document steps of one job along one of the two routes.
class DocumentSteps {
public:
    DocumentSteps(PrintDevice& device, DocumentRoute route)
        : m_device(device)
        , m_route(route)
    {
    }

    // Installs the abort procedure and starts the document; false when either failed.
    bool start(PrintAbort& abort, std::string_view name, std::uint32_t& errors)
    {
        const auto abortResult
            = step(Escape::SetAbortProc, DocumentFunction::SetAbortProc, PrintError::SetAbortProcMissing, errors,
                [&] { return m_device.setAbortProcedure([&abort](int e) { return abort(e); }); });
        if (!abortResult)
            return false;
        if (*abortResult < 0) {
            errors |= PrintError::SetAbortProcFailed;
            return false;
        }
        const auto startResult = step(Escape::StartDoc, DocumentFunction::StartDoc, PrintError::StartDocMissing, errors,
            [&] { return m_device.startDocument(name); });
        if (!startResult)
            return false;
        if (*startResult < 0) {
            errors |= PrintError::StartDocFailed;
            return false;
        }
        return true;
    }

    void endPage(std::uint32_t& errors)
    {
        const auto result = step(Escape::NewFrame, DocumentFunction::EndPage, PrintError::EndPageMissing, errors,
            [&] { return m_device.endPage(); });
        if (result && *result < 0)
            errors |= PrintError::NewFrameFailed;
    }

    void endDocument(std::uint32_t& errors)
    {
        const auto result = step(Escape::EndDoc, DocumentFunction::EndDoc, PrintError::EndDocMissing, errors,
            [&] { return m_device.endDocument(); });
        if (result && *result < 0)
            errors |= PrintError::EndDocFailed;
    }

private:
    // The step's result; nothing (and its bit) when the named-function route cannot find it.
    template <typename Call>
    std::optional<int> step(
        Escape escape, DocumentFunction function, std::uint32_t missingBit, std::uint32_t& errors, Call call)
    {
        if (m_route == DocumentRoute::NamedFunctions) {
            if (!m_device.hasFunction(function)) {
                errors |= missingBit;
                return std::nullopt;
            }
            return call();
        }
        // A device answers an escape it does not implement with 0, which is not a failure.
        if (!m_device.supportsEscape(escape))
            return 0;
        return call();
    }

    PrintDevice& m_device;
    DocumentRoute m_route;
};

std::uint32_t printBands(
    PrintDevice& device, PrintingHost& host, const Image& image, const Rect& imageRect, std::string_view description)
{
    if (!device.supportsEscape(Escape::NextBand))
        return PrintError::NextBandMissing;
    const bool bandInfoSupported = device.supportsEscape(Escape::BandInfo);
    std::uint32_t errors = 0;
    Rect band;
    if (device.nextBand(band) <= 0)
        return PrintError::NextBandFailed;
    while (!band.isEmpty()) {
        BandInfo info { true, true, imageRect };
        if (bandInfoSupported && device.bandInfo(info) <= 0)
            errors |= PrintError::BandInfoFailed;
        if (info.graphicsWanted)
            errors |= drawImagePart(device, host, image, imageRect, band, description);
        if (device.nextBand(band) <= 0) {
            errors |= PrintError::NextBandFailed;
            break;
        }
    }
    return errors;
}

} // namespace

Rect imageRectOnPage(Size imageSize, const PrintPlacement& placement, Size printable)
{
    const auto scaled
        = [](int size, int percent) { return static_cast<int>((std::int64_t(size) * percent + 50) / 100); };
    const int width = scaled(imageSize.width, placement.scaleX);
    const int height = scaled(imageSize.height, placement.scaleY);
    const auto place = [](bool center, int extent, int size, int position) {
        if (center)
            return std::max(0, (extent - size) / 2);
        return static_cast<int>(std::int64_t(extent) * position / 10000);
    };
    const int left = place(placement.centerX, printable.width, width, placement.positionX);
    const int top = place(placement.centerY, printable.height, height, placement.positionY);
    return { left, top, left + width, top + height };
}

std::uint32_t drawImagePart(PrintDevice& device, PrintingHost& host, const Image& image, const Rect& imageRect,
    const Rect& band, std::string_view description)
{
    const Rect part = intersect(imageRect, band);
    if (part.isEmpty())
        return 0;
    const double sx = double(imageRect.width()) / image.width();
    const double sy = double(imageRect.height()) / image.height();
    const auto toSource = [](int offset, double scale) { return static_cast<int>(offset / scale + 0.5); };
    const int sourceLeft = toSource(part.left - imageRect.left, sx);
    const int sourceRight = toSource(part.right - imageRect.left, sx);
    const int sourceTop = toSource(part.top - imageRect.top, sy);
    const int sourceBottom = toSource(part.bottom - imageRect.top, sy);
    const SourceArea source { sourceLeft, image.height() - sourceBottom, sourceRight - sourceLeft,
        sourceBottom - sourceTop };
    std::uint32_t errors = 0;
    if (!device.stretchImage(image, source, part))
        errors |= PrintError::StretchFailed;
    if (part.bottom >= imageRect.bottom - 1 && !description.empty()) {
        const Point at { imageRect.left + imageRect.width() / 2, imageRect.bottom + kDescriptionGap };
        device.drawText(at, description, FontSpec {}, TextAlign::Center, Color {}, true);
    }
    host.setPrintingProgress(formatText(StringId::PrintProgressFormat, mulDiv(part.bottom, 100, imageRect.bottom)));
    return errors;
}

PrintResult printImage(PrinterState& printer, PrintingHost& host, const Image* image, const PrintPlacement& placement,
    Banding banding, DocumentRoute route, std::string_view documentName)
{
    if (!image || image->isNull())
        return { PrintError::NoImage, false };
    std::unique_ptr<PrintDevice> device = printer.openContext();
    if (!device)
        return { PrintError::NoPrinterContext, false };
    const PageGeometry& page = printer.geometry();
    const Rect imageRect = imageRectOnPage(
        { image->width(), image->height() }, placement, { page.printableWidth, page.printableHeight });
    const std::string_view description = std::string_view(placement.description).substr(0, kMaxDescriptionLength);

    host.showPrintingWindow(text(StringId::PrintingStartProgress));
    PrintAbort abort(host);
    DocumentSteps steps(*device, route);
    std::uint32_t errors = 0;
    if (steps.start(abort, documentName, errors)) {
        if (banding == Banding::On) {
            errors |= printBands(*device, host, *image, imageRect, description);
        } else {
            errors |= drawImagePart(*device, host, *image, imageRect, imageRect, description);
            steps.endPage(errors);
        }
        if (!abort.aborted())
            steps.endDocument(errors);
    }
    host.closePrintingWindow();
    device.reset();
    return { errors, abort.aborted() };
}

} // namespace gp
