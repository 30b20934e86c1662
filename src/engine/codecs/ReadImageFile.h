#pragma once
// The one road by which photos come in from files: the reader is chosen by the name's extension
// and, when that reader finds the file is not in its format, the other readers are tried in the
// table's order. An unknown extension shows "Unknown file format" and no reader runs. The photo
// read is then turned upright and converted to sRGB as its tags and profile ask.

#include "codecs/ImageFileResult.h"

#include <string>

namespace gp {

struct ImageFileContext;

ReadResult readImageFile(const ImageFileContext& files, const std::string& path);

} // namespace gp
