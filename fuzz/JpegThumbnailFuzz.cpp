// Feeds arbitrary bytes to the album's row-keeping JPEG thumbnail reader through a stream over
// memory, with a 64 MiB ceiling on the photo and on the library's own memory: once for the album
// item, once for the thumbnail of twice its size that dense screens use.

#include "album/JpegThumbnail.h"
#include "album/Thumbnail.h"

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::FILE* stream = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!stream)
        return 0;
    const auto item = gp::jpegThumbnailItem(stream, "/fuzz.jpg", std::size_t(64) << 20);
    std::fclose(stream);
    if (item && item->thumbnail.size() != item->record.thumbnailLength)
        __builtin_trap();

    stream = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!stream)
        return 0;
    const auto dense = gp::jpegThumbnail(stream, std::size_t(64) << 20, 2);
    std::fclose(stream);
    if (dense) {
        const gp::Size one = gp::thumbnailSize(dense->photo.width, dense->photo.height);
        if (dense->thumbnail.width() != 2 * one.width || dense->thumbnail.height() != 2 * one.height)
            __builtin_trap();
    }
    return 0;
}
