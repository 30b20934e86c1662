#include "print/PrintResolution.h"

#include <algorithm>
#include <cmath>

namespace gp {

namespace {

constexpr int kMaxPosition = 100;

int clampPosition(int position, int minimum)
{
    return std::max(std::min(position, kMaxPosition), minimum);
}

} // namespace

int minimumResolutionPosition(Size photo, const PrinterPage& page)
{
    const std::int64_t dpi = std::max(1, page.dpi);
    const std::int64_t across = dpi * photo.width / std::max(1, page.printable.width);
    const std::int64_t down = dpi * photo.height / std::max(1, page.printable.height);
    // Never below 1: a resolution of 0 would make the print scale a division by zero.
    return std::max(1, static_cast<int>((std::max(across, down) + 9) / 10));
}

int initialOutputResolution(std::int32_t photoPelsPerMeter, int previous, Size photo, const PrinterPage& page)
{
    int resolution = previous;
    if (photoPelsPerMeter != 0)
        resolution = static_cast<int>(std::lround(photoPelsPerMeter * 0.0254));
    resolution = (resolution + 9) / 10 * 10;
    return std::max(std::min(resolution, kMaxPosition * 10), minimumResolutionPosition(photo, page) * 10);
}

int limitOutputResolution(int requested, Size photo, const PrinterPage& page)
{
    const int position = (std::max(0, requested) + 5) / 10;
    return clampPosition(position, minimumResolutionPosition(photo, page)) * 10;
}

int printScalePercent(int resolution, const PrinterPage& page)
{
    return static_cast<int>(std::int64_t(std::max(1, page.dpi)) * 100 / std::max(1, resolution));
}

} // namespace gp
