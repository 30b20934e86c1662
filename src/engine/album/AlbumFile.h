#pragma once
// Loading and saving the open album. Both move the file in pieces of 32767 bytes with the
// progress display ("Reading", "Saving") after each piece and the Escape test before each.

#include "album/AlbumList.h"

#include <filesystem>

namespace gp {

class Allocator;

// Replaces the list with the album at path: true when every record and thumbnail was read.
// A short or unsigned header, a missing file or an abort leaves the list empty; a truncated
// or damaged file keeps the photos before the first one that cannot be read. Paths become
// absolute (kind 0), relative ones taken from programDir. A thumbnail larger than the
// allocator's ceiling stops the loading with the out-of-memory warning.
bool loadAlbum(AlbumList& album, const std::filesystem::path& path, const std::filesystem::path& programDir,
    const Allocator& allocator);

// Writes the list to path, replacing the old file only when the whole album was written (an
// abort or a write error leaves it as it was). An empty list is not written and fails.
// Clears the modified flag on success.
bool saveAlbum(AlbumList& album, const std::filesystem::path& path, Host& host);

} // namespace gp
