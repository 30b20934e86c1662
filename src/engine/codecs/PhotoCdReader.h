#pragma once
// Reads a Photo CD file through the Photo CD library (libglimmer-photocd.so), loaded from the
// library folder for this read and released afterwards. The read mode decides the size and data
// type: the options dialog (Cancel answers cannot read), the kept settings, the slide show's
// Medium 24-bit or the album's Thumbnail 24-bit; the mode is put back to Ask by every read.
// A missing library or a library error gives no image; a file that cannot be opened, or the
// library running out of memory ("There is not enough memory."), answers cannot read. A picture
// without a resolution gets 200 dots per inch.

#include "codecs/ImageFileResult.h"

#include <string>

namespace gp {

struct ImageFileContext;

inline constexpr const char* kPhotoCdLibraryName = "libglimmer-photocd.so";

ReadResult readPhotoCdFile(const std::string& path, const ImageFileContext& files);

} // namespace gp
