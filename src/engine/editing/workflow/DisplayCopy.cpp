#include "editing/workflow/DisplayCopy.h"

#include "editing/transform/Resample.h"

#include <algorithm>

namespace gp {

namespace {

// Display copies carry no meaningful resolution; this keeps the header plausible.
constexpr int kDisplayDotsPerInch = 96;

} // namespace

Rect fittedRect(Size picture, Size window, int unit)
{
    unit = std::max(unit, 1);
    if (unit > 1) {
        const Rect r = fittedRect(picture, { window.width / unit, window.height / unit });
        return { r.left * unit, r.top * unit, r.right * unit, r.bottom * unit };
    }
    if (picture.width <= 0 || picture.height <= 0 || window.width <= 0 || window.height <= 0)
        return {};
    int width = window.width;
    int height = int((long long)picture.height * window.width / picture.width);
    if (height > window.height) {
        height = window.height;
        width = int((long long)picture.width * window.height / picture.height);
    }
    width = std::max(width, 1);
    height = std::max(height, 1);
    const int left = (window.width - width) / 2;
    const int top = (window.height - height) / 2;
    return { left, top, left + width, top + height };
}

std::optional<DisplayCopy> makeDisplayCopy(
    const Image& picture, Size window, const Allocator& allocator, int unit)
{
    const Rect rect = fittedRect({ picture.width(), picture.height() }, window, unit);
    if (rect.isEmpty())
        return std::nullopt;
    auto image = resample(picture, rect.width(), rect.height(), kDisplayDotsPerInch, allocator, Interrupt::Never);
    if (!image)
        return std::nullopt;
    return DisplayCopy { std::move(*image), rect };
}

} // namespace gp
