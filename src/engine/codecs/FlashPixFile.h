#pragma once
// Reads and writes FlashPix files through the FlashPix library (libglimmer-flashpix.so), loaded
// from the library folder for each call and released afterwards. Reading gives what the library
// gives (no image when it gives nothing or is missing); writing passes the quality of the save
// options and answers a write error when the library fails or is missing.

#include "codecs/ImageFileResult.h"

#include <string>

namespace gp {

struct ImageFileContext;

inline constexpr const char* kFlashPixLibraryName = "libglimmer-flashpix.so";

ReadResult readFlashPixFile(const std::string& path, const ImageFileContext& files);
WriteResult writeFlashPixFile(const std::string& path, const Image& image, const ImageFileContext& files);

} // namespace gp
