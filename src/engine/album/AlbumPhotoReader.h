#pragma once
// Photo files for albums and the slide show come in through the program's file opener (reader
// by extension, fall-back by content) with its file-not-found warning switched off, as a
// batch of files must not stop at a message per file. Photo CD files are read without the
// options dialog: albums take the 128 x 192 thumbnail resolution, the slide show the 512 x 768
// medium one, both in 24-bit colour.

#include "album/AddToAlbum.h"
#include "codecs/PhotoCdOptions.h"

namespace gp {

class App;

// Reads one photo quietly with the given Photo CD read mode; the mode is put back to Ask after
// the read whatever the file's format, so the next Open asks again.
std::optional<Image> readPhotoQuietly(App& app, const std::string& path, PhotoCdReadMode photoCdMode);

// The reader album adds use (Photo CD at the thumbnail resolution).
PhotoFileReader albumPhotoReader(App& app);

} // namespace gp
