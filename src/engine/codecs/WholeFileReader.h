#pragma once
// Reads a whole image file and hands its bytes to a decoder. A file that cannot be opened or read
// answers cannot read; one larger than twice the allocator's block ceiling cannot hold an image
// the ceiling allows (no run-length code here more than doubles its data), so it gets the memory
// warning and no image.

#include "codecs/ImageFileResult.h"
#include "image/Allocator.h"

#include <cstdint>
#include <span>
#include <string>

namespace gp {

using ImageDecoder = ReadResult (*)(std::span<const std::uint8_t> file, const Allocator& allocator);

ReadResult readWholeImageFile(const std::string& path, const Allocator& allocator, ImageDecoder decode);

} // namespace gp
