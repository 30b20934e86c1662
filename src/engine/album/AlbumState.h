#pragma once
// What the program keeps about albums while it runs: the registry, the open album, the sort
// order and the "Add Thumbnails" dialog's filter position (both kept until the program ends),
// and the slide-show settings.

#include "album/AlbumList.h"
#include "album/AlbumRegistry.h"
#include "album/AlbumSort.h"
#include "album/SlideShow.h"

#include <array>

namespace gp {

struct AlbumState {
    AlbumState(ProfileFile& settings, std::filesystem::path dataDir)
        : registry(settings, std::move(dataDir))
    {
    }

    AlbumRegistry registry;
    AlbumList open;
    AlbumSortOrder sortOrder;
    int addThumbnailsFilter = 0;
    SlideShowSettings slideShow;
    // The last current photo of each family's strip (index by family), so the crop, edit and
    // frame screens reopen where they were; -1 before the first visit.
    std::array<int, 4> stripCurrent { -1, -1, -1, -1 };
};

} // namespace gp
