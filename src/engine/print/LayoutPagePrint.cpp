#include "print/LayoutPagePrint.h"

#include "draw/PrintDevice.h"
#include "layout/PageCells.h"
#include "layout/PageGeometryInView.h"
#include "layout/PhotoFit.h"
#include "print/PrinterState.h"
#include "shell/Host.h"
#include "shell/ProfileFile.h"
#include "shell/StringTable.h"

namespace gp {

namespace {

constexpr long long kStripPixels = 1048576;

Rect offset(Rect r, PageMargins m) { return {r.left + m.left, r.top + m.top, r.right + m.left, r.bottom + m.top}; }

} // namespace

PageMargins readPageMargins(const ProfileFile& settings, int dpiX, int dpiY)
{
    const std::string_view user = text(StringId::UserSection);
    const auto top = std::uint32_t(settings.readInt(user, text(StringId::KeyTopMargin), 0));
    const auto left = std::uint32_t(settings.readInt(user, text(StringId::KeyLeftMargin), 0));
    return {int(std::uint64_t(top) * std::uint32_t(dpiY) / 64), int(std::uint64_t(left) * std::uint32_t(dpiX) / 64)};
}

bool drawImageInStrips(PrintDevice& device, const Image& image, const Rect& target)
{
    const int w = image.width(), h = image.height();
    const long long pixels = static_cast<long long>(w) * h;
    if (pixels < kStripPixels)
        return device.stretchImage(image, {0, 0, w, h}, target);
    const int n = int(pixels / kStripPixels + 1);
    const int height = target.height();
    bool ok = true;
    for (int k = 0; k < n; ++k) {
        // Source rows counted from the bottom; destination filled from the rectangle's bottom up.
        const int sourceFrom = int(static_cast<long long>(h) * k / n);
        const int sourceTo = int(static_cast<long long>(h) * (k + 1) / n);
        const int destBelow = int(static_cast<long long>(height) * k / n);
        const int destAbove = int(static_cast<long long>(height) * (k + 1) / n);
        const Rect strip{target.left, target.bottom - destAbove, target.right, target.bottom - destBelow};
        ok = device.stretchImage(image, {0, sourceFrom, w, sourceTo - sourceFrom}, strip) && ok;
    }
    return ok;
}

bool drawLayoutPage(PrintDevice& device, const LayoutPrintJob& job, PageMargins margins)
{
    const LayoutPage& page = *job.page;
    const Size printable = device.printableSize();
    const bool freeStyle = job.list->category == LayoutCategory::FreeStyle;

    std::vector<Rect> cells;
    std::vector<int> slots;
    if (freeStyle) {
        for (const PhotoObject& object : page.photoObjects()) {
            cells.push_back(viewToPrinter(object.rect, job.viewPrintable, printable));
            slots.push_back(object.slot);
        }
    } else {
        PageGeometry geometry = measurePageGeometry(device);
        cells = printerCells(*job.list, job.layoutIndex, geometry);
        for (std::size_t i = 0; i < cells.size(); ++i)
            slots.push_back(int(i));
    }

    if (device.startDocument(text(StringId::PageDocumentName)) <= 0 || device.startPage() <= 0)
        return false;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Rect box = offset(photoBox(cells[i], page.percent()), margins);
        const int slot = slots[i];
        if (slot < 0 || slot >= LayoutPage::kSlots)
            continue;
        if (const PhotoHandle& photo = page.photo(slot))
            drawImageInStrips(device, *photo, fitPhoto(box, {photo->width(), photo->height()}));
        if (!freeStyle) {
            const auto& texts = page.textList(slot);
            if (texts && texts->fits(box))
                texts->draw(device, box);
        }
    }
    if (freeStyle) {
        const Rect whole{margins.left, margins.top, margins.left + printable.width, margins.top + printable.height};
        page.freeStyleTexts().draw(device, whole);
    }
    const bool ended = device.endPage() > 0;
    return device.endDocument() > 0 && ended;
}

bool printLayoutPage(PrinterState& printer, Host& host, const ProfileFile& settings, const LayoutPrintJob& job)
{
    if (job.list->category == LayoutCategory::MyTemplates && job.list->entries == 0)
        return false;
    if (job.page->isEmpty()) {
        host.beep();
        return false;
    }
    host.setWaitCursor(true);
    std::unique_ptr<PrintDevice> device = printer.openContext();
    bool printed = false;
    if (device) {
        const PageMargins margins = readPageMargins(settings, device->resolutionX(), device->resolutionY());
        printed = drawLayoutPage(*device, job, margins);
    }
    host.setWaitCursor(false);
    return printed;
}

} // namespace gp
