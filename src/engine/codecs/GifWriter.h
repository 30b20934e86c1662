#pragma once
// Writes a 1-, 4- or 8-bit image as a GIF87a file: a global colour table of 2, 16 or 256 entries
// taken from the image's table (entries past its colour count are black), then one image at the
// origin, not interlaced, whose LZW codes are cut into sub-blocks of 255 bytes. A 24-bit image is
// refused with its message and nothing is written, and so is an image wider or taller than the
// 65535 pixels the file's 16-bit sizes hold. Written when every byte reached the disk; a
// write error when the file cannot be created or a write fails (the caller reports it).

#include "codecs/ImageFileResult.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gp {

class Host;

WriteResult writeGifFile(const std::string& path, const Image& image, Host& host);

// The whole file of a 1-, 4- or 8-bit image.
std::vector<std::uint8_t> encodeGif(const Image& image);

} // namespace gp
