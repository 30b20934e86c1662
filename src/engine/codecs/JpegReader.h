#pragma once
// Reads JPEG files through the JPEG library into 8-bit grayscale (with the gray colour table) or
// 24-bit images, turning the library's top-down RGB rows into bottom-up BGR rows and the JFIF
// density into pixels per metre. The EXIF orientation tag and the ICC profile of the APP2
// segments are handed on in the result for the dispatcher to apply.
//
// Answers: cannot read when the file cannot be opened; no image for files with neither one nor
// three output components (CMYK), for a library error before any row was decoded, or when the
// allocator refuses the block. A library error part-way keeps the rows read so far (the rest
// stay black). The library's warnings and messages are never shown.

#include "codecs/ImageFileResult.h"
#include "image/Allocator.h"

#include <cstdio>
#include <string>

namespace gp {

ReadResult readJpegFile(const std::string& path, const Allocator& allocator);
// Reads from an open stream (for instance one over bytes in memory); the caller closes it.
ReadResult decodeJpeg(std::FILE* file, const Allocator& allocator);

// JFIF density to pixels per metre: unit 1 dots per inch, 2 dots per centimetre, else 0.
std::int32_t jfifDensityToPelsPerMeter(int unit, unsigned density);

} // namespace gp
