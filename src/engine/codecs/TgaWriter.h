#pragma once
// Writes an image as a TGA file with a bottom-left origin and no image ID: 8- and 4-bit indexed
// images colour-mapped (type 1, or 9 run-length coded) with 24-bit map entries, 24-bit images as
// true colour (2 or 10), gray and 1-bit images as grayscale (3 or 11). Pixels of 1 and 4 bits are
// written a byte each (a 1-bit pixel as black or white), as other programs read no smaller TGA
// pixels. Run-length rows use packets of at most 128 pixels and never cross a row.
//
// Answers written when every byte reached the disk and a write error when a write, flush or
// close fails. Nothing is written, and the answer is "reported", for a missing image, for one
// larger than 65535 pixels either way, and when the file cannot be created (the disk-error
// message is shown then).

#include "codecs/ImageFileResult.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gp {

class Host;

WriteResult writeTgaFile(const std::string& path, const Image& image, bool compress, Host& host);

// The 18-byte header followed by the colour map; empty when the image cannot be described.
std::vector<std::uint8_t> tgaHeader(const Image& image, bool compress);

} // namespace gp
