#pragma once
// Photo files for albums and the slide show come in through the program's file reader (reader
// by extension, fall-back by content). The reader shows no file-not-found warning, so a batch
// of files does not stop at a message per file.

#include "album/AddToAlbum.h"
#include "codecs/ImageFileContext.h"

namespace gp {

PhotoFileReader albumPhotoReader(const ImageFileContext& files);

} // namespace gp
