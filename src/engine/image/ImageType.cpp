#include "image/ImageType.h"

namespace gp {

bool isGrayscale(const Image* image)
{
    if (!image || image->isNull() || image->bitsPerPixel() != 8 || image->colorCount() != 256)
        return false;
    for (int i = 0; i < 256; ++i) {
        const Rgbq c = image->color(i);
        if (c.blue != i || c.green != i || c.red != i)
            return false;
    }
    return true;
}

ImageType imageTypeOf(const Image* image)
{
    if (!image || image->isNull())
        return ImageType::None;
    switch (image->bitsPerPixel()) {
    case 24: return ImageType::Rgb24;
    case 8: return isGrayscale(image) ? ImageType::Gray8 : ImageType::Indexed8;
    case 4: return ImageType::Indexed4;
    case 1: return ImageType::BlackWhite;
    default: return ImageType::None;
    }
}

} // namespace gp
