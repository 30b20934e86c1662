#pragma once
// The image type codes that gate commands and name an image in the status bar.

#include "image/Image.h"

namespace gp {

enum class ImageType { None = 0, Gray8 = 1, Rgb24 = 2, Indexed8 = 3, Indexed4 = 4, BlackWhite = 5 };

// The type of a bare image; None for a null image or an unsupported depth. An 8-bit image is
// grayscale only when it has exactly 256 colours and entry i is (i, i, i).
ImageType imageTypeOf(const Image* image);
bool isGrayscale(const Image* image);

} // namespace gp
