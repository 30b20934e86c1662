#pragma once
// The one road by which photos come in from files: the reader is chosen by the name's extension
// and, when that reader finds the file is not in its format, the other readers are tried in the
// table's order. An unknown extension shows "Unknown file format" and no reader runs.

#include "codecs/ImageFileResult.h"

#include <string>

namespace gp {

struct ImageFileContext;

ReadResult readImageFile(const ImageFileContext& files, const std::string& path);

} // namespace gp
