#pragma once
// Writes PNG files, lossless, in the picture's own kind: 24-bit images as RGB, 8-bit grayscale
// images as 8-bit gray, other 1-, 4- and 8-bit images as palette files of that depth. The
// resolution goes into the physical-size chunk when the image has one.
//
// Answers: written; a write error (the caller reports it) when the file cannot be created or a
// write fails.

#include "codecs/ImageFileResult.h"

#include <string>

namespace gp {

WriteResult writePngFile(const std::string& path, const Image& image);

} // namespace gp
