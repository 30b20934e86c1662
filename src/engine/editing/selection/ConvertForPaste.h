#pragma once
// Brings a pasted picture (any depth) into the form of the document it lands in, at a given
// size: 8-bit grayscale with the luminance (76 R + 150 G + 29 B + 127) / 255 for a grayscale
// document, 24-bit otherwise. The picture sits at the top left; pixels beyond it take the fill
// colour (as gray, its luminance). Nothing on another depth or on allocation failure.

#include "image/Allocator.h"
#include "base/Rgb.h"

namespace gp {

enum class PasteTarget { Rgb24, Gray8 };

std::optional<Image> convertForPaste(
    const Image& picture, PasteTarget target, int width, int height, Rgb fill, const Allocator& allocator);

} // namespace gp
