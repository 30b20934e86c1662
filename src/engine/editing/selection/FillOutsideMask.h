#pragma once
// Paints the pixels of an image of the mask's size that lie outside the mask (MaskSide::Outside)
// or inside it (MaskSide::Inside) with the fill colour, in place: blue, green, red for 24-bit
// images, the nearest colour-table index for 8- and 4-bit images, and for 1-bit images a set bit
// exactly when that index is not 0. Used for crops, cuts and copies that leave the program.

#include "image/Image.h"
#include "base/Rgb.h"

namespace gp {

enum class MaskSide { Outside = 0, Inside = 1 };

void fillOutsideMask(Image& image, const Image& mask, MaskSide side, Rgb fill);

// Paints every pixel of the image with the fill colour, by the same rules.
void fillImage(Image& image, Rgb fill);

} // namespace gp
