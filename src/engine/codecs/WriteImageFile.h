#pragma once
// Writes an image with the writer of a save type (1 BMP, 2 TIFF, 3 PCX, 4 GIF, 5 TGA, 6 JPEG,
// 7 FlashPix), passing the remembered compress flag and quality. Another save type writes
// nothing and answers a write error.

#include "codecs/ImageFileResult.h"

#include <string>

namespace gp {

struct ImageFileContext;

WriteResult writeImageFile(const ImageFileContext& files, int saveType, const Image& image, const std::string& path);

} // namespace gp
