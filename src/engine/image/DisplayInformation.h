#pragma once
// The figures of the Image Information dialog: resolution, width and height in the chosen unit,
// the block size and the type name.

#include "image/Image.h"
#include "image/ImageType.h"

#include <string>

namespace gp {

enum class LengthUnit { Pixel, Inch, Centimetre };

// Dots per inch from pixels per metre (× 0.0254, rounded); the screen's logical dpi when that is
// not positive, and 1 when that is not positive either.
int imageDpi(std::int32_t pixelsPerMetre, int screenDpi);

// "%d dpi".
std::string dpiText(int dpi);
// "640 Pixel", or the length in inches or centimetres with 2 decimals and the user's decimal
// separator followed by " Inch" or " Cm".
std::string lengthText(int pixels, int dpi, LengthUnit unit, const std::string& decimalSeparator);
// "%lu K Bytes" with the size of the pixel rows / 1024 + 1.
std::string blockSizeText(const Image& image);
// "True Color (24 Bits)" and the other type names; empty for no type.
std::string typeNameText(ImageType type);

} // namespace gp
