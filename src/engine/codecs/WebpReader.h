#pragma once
// Reads WebP files through the WebP library into 24-bit images: lossy and lossless pictures, and
// of an animation the first frame on its canvas. Transparency is composited over white; an ICCP
// colour profile is handed on. WebP keeps no physical resolution.
//
// Answers: not this format without the RIFF/WEBP signature; cannot read when the file cannot be
// read; no image for a damaged or truncated file and when the allocator refuses the block (it
// has said so).

#include "codecs/ImageFileResult.h"
#include "image/Allocator.h"

#include <cstdint>
#include <span>
#include <string>

namespace gp {

ReadResult readWebpFile(const std::string& path, const Allocator& allocator);
ReadResult decodeWebp(std::span<const std::uint8_t> file, const Allocator& allocator);

} // namespace gp
