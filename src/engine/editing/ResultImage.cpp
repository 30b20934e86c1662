#include "editing/ResultImage.h"

#include "editing/PixelAccess.h"

#include <algorithm>
#include <cstring>

namespace gp {

std::optional<Image> allocateLike(const Image& source, int width, int height, const Allocator& allocator)
{
    if (!isSupportedDepth(source.bitsPerPixel()))
        return std::nullopt;
    auto result = allocator.image(width, height, source.bitsPerPixel(), source.colorCount());
    if (!result)
        return std::nullopt;
    const auto from = source.colorTable();
    std::copy(from.begin(), from.end(), result->colorTable().begin());
    result->setResolution(source.xPelsPerMeter(), source.yPelsPerMeter());
    return result;
}

std::optional<Image> duplicate(const Image& source, const Allocator& allocator)
{
    auto copy = allocateLike(source, source.width(), source.height(), allocator);
    if (copy)
        std::memcpy(copy->pixels().data(), source.pixels().data(), source.imageSize());
    return copy;
}

} // namespace gp
