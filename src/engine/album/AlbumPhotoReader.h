#pragma once
// Photo files for albums and the slide show come in through the program's file reader (reader
// by extension, fall-back by content). The reader shows no file-not-found warning, so a batch
// of files does not stop at a message per file. Photo CD files are read without the options
// dialog: albums take the 128 x 192 thumbnail resolution, the slide show the 512 x 768 medium
// one, both in 24-bit colour.

#include "album/AddToAlbum.h"
#include "codecs/ImageFileContext.h"
#include "codecs/PhotoCdOptions.h"

namespace gp {

// Reads one photo with the given Photo CD read mode; the mode is put back to Ask after the read
// whatever the file's format, so the next Open asks again.
std::optional<Image> readPhotoQuietly(const ImageFileContext& files, const std::string& path, PhotoCdReadMode photoCdMode);

// The reader album adds use (Photo CD at the thumbnail resolution).
PhotoFileReader albumPhotoReader(const ImageFileContext& files);

// The same reader for a worker thread: it shares nothing with the program's context (its own
// save and Photo CD options, its own allocator with the same block ceiling) and a host that
// shows no message and asks nothing, since a background read must neither talk to the user nor
// touch state the program's thread uses. A failed read simply gives nothing.
PhotoFileReader backgroundPhotoReader(const ImageFileContext& files);

} // namespace gp
