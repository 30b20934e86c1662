#pragma once
// Photos and album items made in memory for the album tests.

#include "album/Thumbnail.h"
#include "image/Allocator.h"
#include "image/Image.h"

#include <cstdint>
#include <string>

namespace gp::test {

// A 24-bit photo whose pixel (x, y from the top) is blue x, green y, red x + y (each mod 256).
inline Image gradientPhoto(int width, int height)
{
    Image image = std::move(Image::create(width, height, 24)).value();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.row(y) + 3 * x;
            p[0] = std::uint8_t(x);
            p[1] = std::uint8_t(y);
            p[2] = std::uint8_t(x + y);
        }
    return image;
}

// An item for path with a thumbnail of a small photo; size and time as given.
inline PhotoItem photoItem(const Allocator& allocator, const std::string& path, int side, std::uint32_t size = 0,
    std::uint32_t time = 0, const std::string& description = {})
{
    PhotoItem item = *makeThumbnail(gradientPhoto(side, side + 1), path, allocator);
    item.record.fileSize = size;
    item.record.fileTime = time;
    item.record.description = description;
    return item;
}

} // namespace gp::test
