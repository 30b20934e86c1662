#pragma once
// Reads Windows and OS/2 bitmap files: the 12-byte core header and the 40-, 52-, 56-, 108- and
// 124-byte info headers; 1-, 4-, 8- and 24-bit pixels stored plainly, 8- and 4-bit pixels
// run-length coded, and 16- and 32-bit pixels (with or without bit-field masks), which are
// widened to 24 bit. Top-down files become bottom-up images.
//
// Answers: not this format for a file that cannot be opened or lacks the "BM" signature; cannot
// read for truncated pixel data; no image for headers, depths and codings it does not know, and
// when the allocator refuses the block (it has then said so).
//
// Plain rows are read from the file straight into the picture; only run-length coded pixels are
// read whole before decoding.

#include "codecs/ImageFileResult.h"
#include "image/Allocator.h"

#include <cstdint>
#include <span>
#include <string>

namespace gp {

class ByteSource;

ReadResult readBmpFile(const std::string& path, const Allocator& allocator);
ReadResult decodeBmp(const ByteSource& file, const Allocator& allocator);
ReadResult decodeBmp(std::span<const std::uint8_t> file, const Allocator& allocator);

} // namespace gp
