#pragma once
// Writes 8-bit grayscale and 24-bit images as baseline JPEG files through the JPEG library, with
// the quality (1..100) passed unchanged and the resolution as a JFIF density in dots per inch.
//
// Indexed images are refused with a message; a file that cannot be created shows the disk-error
// message; both answer "reported". A library or disk error while writing answers a write error
// (the caller reports it and restores its backup).

#include "codecs/ImageFileResult.h"

#include <cstdio>
#include <string>

namespace gp {

class Host;

WriteResult writeJpegFile(const std::string& path, const Image& image, int quality, Host& host);
// Writes to an open stream; the caller closes it. Written when every row went out.
WriteResult encodeJpeg(std::FILE* file, const Image& image, int quality);

// Pixels per metre to dots per inch, rounded to the nearest dot and kept within 0..65535.
unsigned pelsPerMeterToDpi(std::int32_t pelsPerMeter);

} // namespace gp
