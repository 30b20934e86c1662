#include "layout/FreeStyle.h"

#include "layout/PhotoFit.h"

#include <algorithm>
#include <cstdio>

namespace gp {

double ViewPage::pixelsPerInchX() const
{
    return double(printable.width()) * page.dpiX / std::max(page.printableWidth, 1);
}

double ViewPage::pixelsPerInchY() const
{
    return double(printable.height()) * page.dpiY / std::max(page.printableHeight, 1);
}

namespace {

// The photo's size in view pixels for a preset.
Size presetSize(Size photo, int xPelsPerMeter, SizePreset preset, const ViewPage& view)
{
    auto atDpi = [&](double dpi) {
        return Size{int(photo.width / dpi * view.pixelsPerInchX()), int(photo.height / dpi * view.pixelsPerInchY())};
    };
    auto inSquare = [&](double inches) {
        const Rect square{0, 0, int(inches * view.pixelsPerInchX()), int(inches * view.pixelsPerInchY())};
        const Rect fitted = fitPhoto(square, photo);
        return Size{fitted.width(), fitted.height()};
    };
    switch (preset) {
    case SizePreset::Default: return atDpi(std::clamp(xPelsPerMeter * 0.0254, 100.0, 300.0));
    case SizePreset::Pocket: return inSquare(1);
    case SizePreset::Small: return inSquare(2);
    case SizePreset::Medium: return inSquare(4);
    case SizePreset::Large: return inSquare(8);
    case SizePreset::Dpi100: return atDpi(100);
    case SizePreset::Dpi150: return atDpi(150);
    case SizePreset::Dpi200: return atDpi(200);
    case SizePreset::Dpi250: return atDpi(250);
    case SizePreset::Dpi300: break;
    }
    return atDpi(300);
}

} // namespace

Rect adjustSize(const Rect& object, Size photo, int xPelsPerMeter, SizePreset preset, const ViewPage& view)
{
    const Rect& area = view.printable;
    const Size size = presetSize(photo, xPelsPerMeter, preset, view);
    if (size.width > area.width() || size.height > area.height())
        return fitPhoto(area, photo);
    if (!area.contains({object.left, object.top}))
        return object;
    const int left = std::min(object.left, area.right - size.width);
    const int top = std::min(object.top, area.bottom - size.height);
    return {left, top, left + size.width, top + size.height};
}

std::string sizeReadout(std::string_view label, const Rect& object, const ViewPage& view, SizeUnit unit)
{
    double w = object.width() / view.pixelsPerInchX();
    double h = object.height() / view.pixelsPerInchY();
    char buffer[96];
    if (unit == SizeUnit::Centimetre)
        std::snprintf(buffer, sizeof buffer, "%.1fCm x %.1fCm", w * 2.54, h * 2.54);
    else
        std::snprintf(buffer, sizeof buffer, "%.1f\" x %.1f\"", w, h);
    return std::string(label) + buffer;
}

} // namespace gp
