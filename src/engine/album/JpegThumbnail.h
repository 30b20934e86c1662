#pragma once
// A JPEG photo's album item made while decoding only the rows its thumbnail samples: the rows
// between them are skipped, and the whole picture is never held in memory, which spares time
// and a large block per photo and lets several photos decode at once in little memory. The
// item is the one makeThumbnail makes from the fully read photo (same record, same pixels).
//
// Safe to call from any thread: it uses no program state and shows no message. Any file it is
// not sure about (not a JPEG, damaged, neither grayscale nor RGB, larger than the block
// ceiling, turned by an EXIF orientation tag or carrying a colour profile, which the ordinary
// reader applies) gives nothing, and the caller reads the file the ordinary way, which reports
// whatever needs reporting.

#include "album/PhotoItem.h"
#include "base/Geometry.h"
#include "image/Image.h"

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

namespace gp {

std::optional<PhotoItem> jpegThumbnailItem(const std::string& path, std::size_t blockCeiling);
// The same from an open stream (the caller closes it); path goes into the record.
std::optional<PhotoItem> jpegThumbnailItem(std::FILE* file, const std::string& path, std::size_t blockCeiling);

// The thumbnail at `density` times the album thumbnail's size each way, by the same rule and
// from the rows it samples alone, for grids on high-density screens; with the photo's size, so
// the caller can tell whether the file still holds the photo its album recorded.
struct SizedThumbnail {
    Image thumbnail;
    Size photo;
};
std::optional<SizedThumbnail> jpegThumbnail(const std::string& path, std::size_t blockCeiling, int density);
// The same from an open stream (the caller closes it).
std::optional<SizedThumbnail> jpegThumbnail(std::FILE* file, std::size_t blockCeiling, int density);

} // namespace gp
