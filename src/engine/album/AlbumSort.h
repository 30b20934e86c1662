#pragma once
// Sorting the open album (the "Sort Album" dialog): by file name (after the last folder
// separator or ":"), file type (the last three characters of the path), file size, file date
// or description. Names, types and descriptions sort ascending, sizes smallest first and dates
// newest first; reversing gives the opposite. The sort is a selection sort that swaps the first
// best remaining photo into each place, so equal photos may change order as the program's
// own sort does. The list is marked modified when anything moved.

#include "album/AlbumList.h"

namespace gp {

enum class AlbumSortKey { FileName, FileType, FileSize, FileDate, Description };

// The key and the reverse flag live as long as the program runs.
struct AlbumSortOrder {
    AlbumSortKey key = AlbumSortKey::FileName;
    bool reverse = false;
};

// Returns true when any photo moved.
bool sortAlbum(AlbumList& album, AlbumSortOrder order);

} // namespace gp
