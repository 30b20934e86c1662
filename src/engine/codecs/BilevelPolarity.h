#pragma once
// PCX and TGA readers show a 1-bit file as black for 0 and white for 1, whatever colours the file
// names. A 1-bit image whose first colour is the lighter one must have its bits flipped on the
// way out, or it would come back as its negative.

#include "image/Image.h"

namespace gp {

inline bool firstColorIsLighter(const Image& image)
{
    const auto luminance = [](Rgbq c) { return 30 * c.red + 59 * c.green + 11 * c.blue; };
    return image.bitsPerPixel() == 1 && image.colorCount() >= 2
        && luminance(image.color(0)) > luminance(image.color(1));
}

} // namespace gp
