#include "album/ThumbnailSheet.h"

#include "album/AlbumList.h"
#include "draw/PrintDevice.h"
#include "print/PrinterState.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <algorithm>

namespace gp {

namespace {

constexpr int kThumbnailPixelsPerInch = 96;
constexpr int kCellTenthsOfInch = 15;
constexpr int kNamePoints = 9;
constexpr std::size_t kCaptionChars = 24;

FontSpec nameFont(int dpiY)
{
    return FontSpec { "Sans", std::max(1, kNamePoints * dpiY / 72), 400, false, false };
}

} // namespace

Rect ThumbnailSheetLayout::cellRect(int indexOnPage) const
{
    const int column = indexOnPage % std::max(columns, 1);
    const int row = indexOnPage / std::max(columns, 1);
    const int left = origin.x + column * cell.width;
    const int top = origin.y + row * cell.height;
    return { left, top, left + cell.width, top + cell.height };
}

Rect ThumbnailSheetLayout::thumbnailRect(int indexOnPage, Size thumbnail, int dpiX, int dpiY) const
{
    const Rect box = cellRect(indexOnPage);
    const int width = std::max(1, thumbnail.width * dpiX / kThumbnailPixelsPerInch);
    const int height = std::max(1, thumbnail.height * dpiY / kThumbnailPixelsPerInch);
    const int left = box.left + (box.width() - width) / 2;
    const int top = box.top + (box.height() - nameHeight - height) / 2;
    return { left, top, left + width, top + height };
}

Rect ThumbnailSheetLayout::nameRect(int indexOnPage) const
{
    const Rect box = cellRect(indexOnPage);
    return { box.left, box.bottom - nameHeight, box.right, box.bottom };
}

ThumbnailSheetLayout layoutThumbnailSheet(Size printable, int dpiX, int dpiY, bool fileNames)
{
    ThumbnailSheetLayout layout;
    layout.nameHeight = fileNames ? nameFont(dpiY).height * 2 : 0;
    layout.cell = { std::max(1, dpiX * kCellTenthsOfInch / 10),
        std::max(1, dpiY * kCellTenthsOfInch / 10 + layout.nameHeight) };
    layout.columns = std::max(1, printable.width / layout.cell.width);
    layout.rows = std::max(1, printable.height / layout.cell.height);
    layout.origin = { std::max(0, (printable.width - layout.columns * layout.cell.width) / 2), 0 };
    return layout;
}

std::vector<int> thumbnailJobPhotos(const ThumbnailPrintJob& job)
{
    std::vector<int> photos;
    if (!job.album)
        return photos;
    const int count = job.album->count();
    int first = 1, last = count;
    if (job.from > 0 || job.to > 0) {
        first = std::max(1, job.from);
        last = std::min(count, job.to > 0 ? job.to : count);
    }
    for (int number = first; number <= last; ++number)
        photos.push_back(number - 1);
    return photos;
}

std::string thumbnailCaption(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() > kCaptionChars)
        name = name.substr(0, kCaptionChars - 3) + "...";
    return name;
}

bool drawThumbnailSheets(PrintDevice& device, const ThumbnailPrintJob& job)
{
    const std::vector<int> photos = thumbnailJobPhotos(job);
    if (photos.empty())
        return false;
    const int dpiX = device.resolutionX(), dpiY = device.resolutionY();
    const ThumbnailSheetLayout layout = layoutThumbnailSheet(device.printableSize(), dpiX, dpiY, job.fileNames);
    if (device.startDocument(text(StringId::PageDocumentName)) <= 0)
        return false;
    const FontSpec font = nameFont(dpiY);
    bool ok = true;
    for (std::size_t first = 0; ok && first < photos.size(); first += std::size_t(layout.perPage())) {
        if (device.startPage() <= 0)
            return false;
        const std::size_t end = std::min(photos.size(), first + std::size_t(layout.perPage()));
        for (std::size_t i = first; i < end; ++i) {
            const PhotoItem& item = job.album->photos()[std::size_t(photos[i])];
            const int slot = int(i - first);
            auto thumbnail = Image::fromPacked(item.thumbnail);
            if (thumbnail) {
                const Size size { thumbnail->width(), thumbnail->height() };
                device.stretchImage(*thumbnail, { 0, 0, size.width, size.height },
                    layout.thumbnailRect(slot, size, dpiX, dpiY));
            }
            if (job.fileNames) {
                const Rect name = layout.nameRect(slot);
                device.drawText({ (name.left + name.right) / 2, name.top + font.height / 4 },
                    thumbnailCaption(item.record.path), font, TextAlign::Center, Color {}, true);
            }
        }
        ok = device.endPage() > 0;
    }
    return device.endDocument() > 0 && ok;
}

bool printThumbnails(PrinterState& printer, Host& host, const ThumbnailPrintJob& job)
{
    if (thumbnailJobPhotos(job).empty()) {
        host.beep();
        return false;
    }
    host.setWaitCursor(true);
    std::unique_ptr<PrintDevice> device = printer.openContext();
    const bool printed = device && drawThumbnailSheets(*device, job);
    host.setWaitCursor(false);
    if (!device)
        host.message(text(StringId::CaptionWarning), text(StringId::PrintErrNoDc), Icon::Warning);
    return printed;
}

} // namespace gp
