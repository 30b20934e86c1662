#pragma once
// Reads TGA files of image types 1 (colour-mapped, 8- or 4-bit pixels), 2 (true colour, 15-, 16-,
// 24- or 32-bit pixels, widened or cut to 24 bits), 3 (grayscale, 8-bit, or 1-bit as black and
// white) and their run-length forms 9, 10 (24-bit pixels only) and 11. Colour maps may hold 15-,
// 16-, 24- or 32-bit entries. Rows are stored from the bottom up, or from the top down when the
// descriptor's top-left bit is set; alpha is dropped.
//
// Answers: not this format for a file shorter than the 18-byte header or whose colour map type is
// neither 0 nor 1 (TGA has no signature, and those bytes cannot start one); cannot read when the
// file cannot be read or its colour map or pixels end early; no image with "Unknown file format"
// for a type or depth it does not read, without a message for an empty size, and when the
// allocator refuses the block (it has then said so).
//
// Rows are read from the file straight into the picture, run-length rows through a window of
// the file, so the file is never held whole.

#include "codecs/ImageFileResult.h"
#include "image/Allocator.h"

#include <cstdint>
#include <span>
#include <string>

namespace gp {

class ByteSource;

ReadResult readTgaFile(const std::string& path, const Allocator& allocator);
ReadResult decodeTga(const ByteSource& file, const Allocator& allocator);
ReadResult decodeTga(std::span<const std::uint8_t> file, const Allocator& allocator);

} // namespace gp
