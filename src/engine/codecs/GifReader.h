#pragma once
// Reads the first image of a GIF87a or GIF89a file into an indexed image. The colour table in
// use is the image's local table, else the global one; its size decides the depth: 2 colours give
// a 1-bit image (always black and white), 4 to 16 colours a 4-bit image, 32 to 256 an 8-bit one.
// Extension blocks before the image are passed over; interlaced rows are put in display order.
//
// Answers: the image, or no image for everything else (no signature, no image in the file, a 4-
// or 8-bit image without a colour table, a file that cannot be opened, a refused block, which the
// allocator has reported). It never answers "not this format". Image data that ends before the
// last pixel leaves the remaining pixels at index 0.

#include "codecs/ImageFileResult.h"
#include "image/Allocator.h"

#include <cstdint>
#include <span>
#include <string>

namespace gp {

ReadResult readGifFile(const std::string& path, const Allocator& allocator);
ReadResult decodeGif(std::span<const std::uint8_t> file, const Allocator& allocator);

// The display row of the index-th row stored in an interlaced image of the given height: the
// rows come in four passes, every 8th from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
int gifInterlacedRow(int index, int height);

} // namespace gp
