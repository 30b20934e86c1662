#include "editing/effects/FilterSupport.h"

#include "editing/ResultImage.h"
#include "image/ImageType.h"

#include <algorithm>
#include <cstring>

namespace gp {

bool isFilterable(const Image& image)
{
    const ImageType type = imageTypeOf(&image);
    return type == ImageType::Rgb24 || type == ImageType::Gray8;
}

std::optional<Image> blankLike(const Image& source, const Allocator& allocator)
{
    return allocateLike(source, source.width(), source.height(), allocator);
}

bool copyPixelRows(const Image& source, Image& result, const FilterRun& run)
{
    FilterProgress progress(run, source.height(), 0, 100, 32);
    for (int y = 0; y < source.height(); ++y) {
        if (!progress.beforeRow(y))
            return false;
        std::memcpy(result.storedRow(y), source.storedRow(y), source.rowSize());
    }
    progress.finish();
    return true;
}

} // namespace gp
