#pragma once
// Photo files for albums and the slide show come in through the program's file opener (reader
// by extension, fall-back by content) with its file-not-found warning switched off, as a
// batch of files must not stop at a message per file.

#include "album/AddToAlbum.h"

namespace gp {

class App;

PhotoFileReader albumPhotoReader(App& app);

} // namespace gp
