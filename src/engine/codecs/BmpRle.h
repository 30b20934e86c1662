#pragma once
// Decodes the run-length coded pixels of 8-bit (RLE8) and 4-bit (RLE4) bitmap files into a
// bottom-up image of that depth, from the reader's position to the end of its data. Decoding
// stops at the end-of-bitmap code, when the image is full or when the data ends; pixels never
// coded stay 0. Runs past the right edge are clipped, and a delta moves the pen.

#include "base/ByteReader.h"
#include "image/Image.h"

namespace gp {

void decodeBmpRle(ByteReader& in, Image& image);

} // namespace gp
