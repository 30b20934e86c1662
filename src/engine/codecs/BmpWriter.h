#pragma once
// Writes an image as a bitmap file: the 14-byte file header, then the image's 40-byte header,
// colour table and bottom-up rows exactly as they lie in memory. Written when every byte reached
// the disk; a write error when the file cannot be created or a write or flush fails (the caller
// reports it and restores its backup).

#include "codecs/ImageFileResult.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gp {

WriteResult writeBmpFile(const std::string& path, const Image& image);

// The 14-byte file header of an image: "BM", the file size, the offset of the pixels.
std::vector<std::uint8_t> bmpFileHeader(const Image& image);

} // namespace gp
