#pragma once
// Reads PNG files through the PNG library: every colour type and depth, interlaced or not. The
// picture keeps its kind where the image model has it: palette files become 1-, 4- (from 2- and
// 4-bit) or 8-bit palette images, 1-bit gray files black-and-white images, other gray files
// 8-bit grayscale, colour files 24-bit. Sixteen-bit samples are rounded to eight; transparency
// (an alpha channel, or a transparent colour or palette entries) is composited over white. The
// physical resolution is taken when given per metre; an iCCP colour profile is handed on.
//
// Answers: not this format without the PNG signature; cannot read when the file cannot be read;
// no image for a library error before any row was decoded (a damaged or truncated header, a bad
// checksum in a critical chunk) and when the allocator refuses the block (it has said so). A file
// that breaks off part-way keeps the rows read so far.

#include "codecs/ImageFileResult.h"
#include "image/Allocator.h"

#include <cstdint>
#include <span>
#include <string>

namespace gp {

ReadResult readPngFile(const std::string& path, const Allocator& allocator);
ReadResult decodePng(std::span<const std::uint8_t> file, const Allocator& allocator);

} // namespace gp
