#pragma once
// Reads run-length coded PCX files: 1-bit (black and white whatever the header says), 4-bit as
// four one-bit planes or one packed plane (colours from the header), 8-bit (colours from the
// 256-entry palette at the end of the file, or a gray ramp when the header says grayscale) and
// 24-bit as red, green and blue planes. Lines fill the image from the top down.
//
// Answers: not this format for a file shorter than the 128-byte header or without the
// manufacturer byte 10; cannot read when the file cannot be read or its coded lines end early;
// no image for a bad size, an unknown depth ("Unknown file format"), a missing palette marker,
// and when the allocator refuses the block (it has then said so).
//
// The coded lines are read through a window of the file and decoded straight into the picture.

#include "codecs/ImageFileResult.h"
#include "image/Allocator.h"

#include <cstdint>
#include <span>
#include <string>

namespace gp {

class ByteSource;

ReadResult readPcxFile(const std::string& path, const Allocator& allocator);
ReadResult decodePcx(const ByteSource& file, const Allocator& allocator);
ReadResult decodePcx(std::span<const std::uint8_t> file, const Allocator& allocator);

} // namespace gp
