#include "layout/CellReadout.h"

#include "layout/PhotoFit.h"
#include "shell/UserSettings.h"

#include <algorithm>
#include <cmath>

namespace gp {

int readLowResolutionDpi(const ProfileFile& settings)
{
    return std::clamp(readUserInt(settings, StringId::KeyLowResolutionDpi, kDefaultLowResolutionDpi), 1, 10000);
}

SizeUnit readSizeUnit(const ProfileFile& settings)
{
    return readUserInt(settings, StringId::KeySizeUnit, 0) == 1 ? SizeUnit::Centimetre : SizeUnit::Inch;
}

std::optional<CellPrint> cellPrint(
    const Rect& printerCell, int percent, Size photo, const PageGeometry& page, int lowDpi)
{
    if (photo.width <= 0 || photo.height <= 0 || printerCell.isEmpty())
        return std::nullopt;
    CellPrint print;
    print.fitted = fitPhoto(photoBox(printerCell, percent), photo);
    if (print.fitted.isEmpty())
        return std::nullopt;
    print.widthInches = double(print.fitted.width()) / std::max(page.dpiX, 1);
    print.heightInches = double(print.fitted.height()) / std::max(page.dpiY, 1);
    const double across = photo.width / print.widthInches;
    const double down = photo.height / print.heightInches;
    print.dpi = int(std::lround(std::min(across, down)));
    print.low = print.dpi < lowDpi;
    return print;
}

std::string cellSizeReadout(const LayoutList& list, const Rect& printerCell, const PageGeometry& page,
    const Image* photo, int percent, int lowDpi)
{
    std::string label(text(StringId::PhotoSizeLabel));
    if (list.category == LayoutCategory::MyTemplates && std::size_t(list.selected) < list.templates.size()
        && !list.templates[std::size_t(list.selected)].name.empty())
        label = list.templates[std::size_t(list.selected)].name + ": ";
    std::string readout = label
        + formatText(StringId::CellSizeFormat, double(printerCell.width()) / std::max(page.dpiX, 1),
            double(printerCell.height()) / std::max(page.dpiY, 1));
    if (!photo)
        return readout;
    const auto print = cellPrint(printerCell, percent, { photo->width(), photo->height() }, page, lowDpi);
    if (!print)
        return readout;
    readout += formatText(StringId::CellPhotoFormat, photo->width(), photo->height(), print->dpi);
    if (print->low)
        readout += text(StringId::CellLowResolution);
    return readout;
}

std::string sheetSizeText(const SheetLayout& sheet, const PageGeometry& page, SizeUnit unit)
{
    double width = double(sheet.cellWidth) / std::max(page.dpiX, 1);
    double height = double(sheet.cellHeight) / std::max(page.dpiY, 1);
    if (unit == SizeUnit::Centimetre)
        return formatText(StringId::SheetSizeFormatCm, width * 2.54, height * 2.54);
    return formatText(StringId::SheetSizeFormat, width, height);
}

} // namespace gp
