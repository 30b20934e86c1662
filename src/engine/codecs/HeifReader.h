#pragma once
// Reads HEIF files (HEIC from phones) through the HEIF library: the primary image, decoded into
// a 24-bit image with the container's own rotation, mirroring and cropping applied (the EXIF
// orientation inside the file is not applied on top, or phone photos would turn twice).
// The orientation those transforms amount to is reported in the result. Transparency is
// composited over white; an ICC colour profile in the container is handed on.
//
// Answers: not this format for a file the library does not take for HEIF; cannot read when the
// file cannot be read; no image for a damaged file, a picture larger than the block ceiling
// (with the memory warning) and when the allocator refuses the block (it has said so).

#include "codecs/ImageFileResult.h"
#include "image/Allocator.h"

#include <cstdint>
#include <span>
#include <string>

namespace gp {

ReadResult readHeifFile(const std::string& path, const Allocator& allocator);
ReadResult decodeHeif(std::span<const std::uint8_t> file, const Allocator& allocator);

} // namespace gp
