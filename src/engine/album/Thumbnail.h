#pragma once
// Album thumbnails: a photo whose longer side exceeds 96 pixels is sampled down to 96 on that
// side and (longer / 2 + other × 96) div longer (at least 1) on the other; a smaller photo keeps
// its size. Pixels are taken by nearest neighbour (column x × width div thumbnail width, row
// likewise, rows counted from the bottom); 1-, 4- and 8-bit photos through their colour table.
// The thumbnail is a packed 24-bit bitmap with the photo's resolution.

#include "album/PhotoItem.h"
#include "base/Geometry.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace gp {

class Allocator;
class Image;

inline constexpr int kThumbnailSide = 96;

Size thumbnailSize(int width, int height);

// A new photo item for the image read from fileName: the record (the file's size and time
// stamp, fileName as its path, the photo's depth and size, the thumbnail's size and length)
// and the thumbnail. Nothing when the image is empty, larger than the record can describe, or
// the memory cannot be had (the allocator has then said so).
std::optional<PhotoItem> makeThumbnail(const Image& photo, const std::string& fileName, const Allocator& allocator);

// The photo row (counted from the bottom) that thumbnail row y takes.
inline int thumbnailSourceRow(int y, int photoHeight, int thumbnailHeight)
{
    return int(std::int64_t(y) * photoHeight / thumbnailHeight);
}

// The pieces makeThumbnail is built from, for readers that decode only the rows a thumbnail
// needs. sampleThumbnail fills a 24-bit thumbnail from a photo of photoFormat's width, depth and
// colour table whose stored row r is storedRowOf(r); thumbnailItem wraps the thumbnail with the
// record of a photo of that depth and size read from fileName.
using StoredRowSource = std::function<const std::uint8_t*(int storedRow)>;
void sampleThumbnail(const Image& photoFormat, const StoredRowSource& storedRowOf, int photoHeight, Image& thumbnail);
PhotoItem thumbnailItem(const Image& thumbnail, const std::string& fileName, int bitCount, Size photoSize);

// Fills a 24-bit thumbnail of any size (larger than the album's too) from the photo by the same
// nearest-pixel rule and gives it the photo's resolution.
void sampleWholePhoto(const Image& photo, Image& thumbnail);

} // namespace gp
