// Feeds arbitrary bytes to the album file decoder, then to the thumbnail reader, as loading an
// album and drawing its thumbnails do.

#include "album/AlbumFormat.h"
#include "image/Image.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto album = gp::decodeAlbum({data, size}, std::size_t(1) << 20);
    if (!album)
        return 0;
    volatile std::size_t sink = album->header.description.size();
    for (const gp::PhotoItem& item : album->photos) {
        sink = sink + item.record.path.size() + item.thumbnail.size();
        auto thumbnail = gp::Image::fromPacked(item.thumbnail, std::size_t(16) << 20);
        if (thumbnail && thumbnail->height() > 0)
            sink = sink ^ thumbnail->row(0)[0];
    }
    return 0;
}
