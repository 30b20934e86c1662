#pragma once
// Writes an image as a little-endian TIFF file of one strip, plain or LZW-compressed: a fixed
// 16-entry directory at offset 8, the two resolutions, the document name "Chromaplate", then the
// bits-per-sample values (24-bit) or the colour map (4- and 8-bit indexed images), then the rows
// from the top down. 24-bit rows go out in RGB order through a buffer of rows, so the image itself is
// never touched.
//
// Answers: written; a write error when a write, flush or close fails (the caller reports it);
// not written, with nothing to add, for a null image or a file that cannot be created.

#include "codecs/ImageFileResult.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gp {

WriteResult writeTiffFile(const std::string& path, const Image& image, bool compress);

// Everything in front of the pixel data for a strip of `stripByteCount` bytes.
std::vector<std::uint8_t> tiffFileHead(const Image& image, bool compressed, std::uint32_t stripByteCount);

// Dots per inch written for a resolution in pixels per metre (0 for none).
std::uint32_t pelsPerMeterToTiffDpi(std::int32_t pelsPerMeter);

} // namespace gp
