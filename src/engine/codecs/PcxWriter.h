#pragma once
// Writes an image as a run-length coded PCX file: 1-bit as one bit plane (black and white), 4-bit
// as four bit planes with the colours in the header, 8-bit as one byte plane followed by the
// 256-entry palette (marked grayscale for a gray image), 24-bit as red, green and blue planes.
// Lines go from the top row down, each plane coded on its own.
//
// Answers written when every byte reached the disk and a write error when a write, flush or
// close fails. Nothing is written, and the answer is "reported", for a missing image, for one too
// large for the header's 16-bit fields, and when the file cannot be created (the disk-error
// message is shown then).

#include "codecs/ImageFileResult.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gp {

class Host;

WriteResult writePcxFile(const std::string& path, const Image& image, Host& host);

// The 128-byte header of an image; empty when the image cannot be described in one.
std::vector<std::uint8_t> pcxHeader(const Image& image);

} // namespace gp
