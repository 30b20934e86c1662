#include "album/Thumbnail.h"

#include "image/Allocator.h"

#include <algorithm>
#include <sys/stat.h>
#include <vector>

namespace gp {

namespace {

// The pixel colours of one source row, for any depth the image model holds.
void sampleRow(const Image& photo, const std::uint8_t* source, const std::vector<int>& columns, std::uint8_t* out)
{
    const int bits = photo.bitsPerPixel();
    if (bits == 24) {
        for (const int x : columns) {
            const std::uint8_t* p = source + 3 * std::size_t(x);
            *out++ = p[0];
            *out++ = p[1];
            *out++ = p[2];
        }
        return;
    }
    const int colors = photo.colorCount();
    for (const int x : columns) {
        int index = 0;
        if (bits == 8)
            index = source[x];
        else if (bits == 4)
            index = (source[x / 2] >> ((x % 2) ? 0 : 4)) & 0x0F;
        else
            index = (source[x / 8] >> (7 - x % 8)) & 1;
        const Rgbq c = index < colors ? photo.color(index) : Rgbq {};
        *out++ = c.blue;
        *out++ = c.green;
        *out++ = c.red;
    }
}

// Size in bytes and creation stamp of a file; zeros when it cannot be examined.
void fileStatus(const std::string& fileName, PhotoRecord& record)
{
    struct stat status { };
    if (::stat(fileName.c_str(), &status) != 0)
        return;
    record.fileSize = std::uint32_t(status.st_size);
    record.fileTime = std::uint32_t(status.st_ctime);
}

} // namespace

Size thumbnailSize(int width, int height)
{
    const int longer = std::max(width, height);
    if (longer <= kThumbnailSide)
        return { width, height };
    const long long other = std::min(width, height);
    const int shorter = int(std::max<long long>(1, (longer / 2 + other * kThumbnailSide) / longer));
    return width >= height ? Size { kThumbnailSide, shorter } : Size { shorter, kThumbnailSide };
}

void sampleThumbnail(const Image& photoFormat, const StoredRowSource& storedRowOf, int photoHeight, Image& thumbnail)
{
    const int width = thumbnail.width();
    const int height = thumbnail.height();
    std::vector<int> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x)
        columns[std::size_t(x)] = int(std::int64_t(x) * photoFormat.width() / width);
    for (int y = 0; y < height; ++y)
        sampleRow(photoFormat, storedRowOf(thumbnailSourceRow(y, photoHeight, height)), columns, thumbnail.storedRow(y));
}

PhotoItem thumbnailItem(const Image& thumbnail, const std::string& fileName, int bitCount, Size photoSize)
{
    PhotoItem item;
    PhotoRecord& r = item.record;
    fileStatus(fileName, r);
    r.path = fileName;
    r.bitCount = std::uint16_t(bitCount);
    r.width = std::uint16_t(photoSize.width);
    r.height = std::uint16_t(photoSize.height);
    r.thumbnailWidth = std::uint16_t(thumbnail.width());
    r.thumbnailHeight = std::uint16_t(thumbnail.height());
    const auto packed = thumbnail.packed();
    item.thumbnail.assign(packed.begin(), packed.end());
    r.thumbnailLength = std::uint32_t(item.thumbnail.size());
    return item;
}

void sampleWholePhoto(const Image& photo, Image& thumbnail)
{
    thumbnail.setResolution(photo.xPelsPerMeter(), photo.yPelsPerMeter());
    sampleThumbnail(photo, [&photo](int row) { return photo.storedRow(row); }, photo.height(), thumbnail);
}

std::optional<PhotoItem> makeThumbnail(const Image& photo, const std::string& fileName, const Allocator& allocator)
{
    if (photo.isNull() || photo.width() <= 0 || photo.height() <= 0 || photo.width() > 0xFFFF
        || photo.height() > 0xFFFF)
        return std::nullopt;
    const Size size = thumbnailSize(photo.width(), photo.height());
    auto thumbnail = allocator.image(size.width, size.height, 24);
    if (!thumbnail)
        return std::nullopt;
    sampleWholePhoto(photo, *thumbnail);
    return thumbnailItem(*thumbnail, fileName, photo.bitsPerPixel(), { photo.width(), photo.height() });
}

} // namespace gp
