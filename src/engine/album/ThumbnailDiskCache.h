#pragma once
// A folder of made thumbnails kept between runs, so that a photo's dense thumbnail is read back
// rather than made again from the photo (which for formats without a quick road means reading
// the whole photo). Each thumbnail is a 24-bit bitmap file named by a hash of what identifies the
// photo (its path, recorded file size, stamp and size) and of the thumbnail's size. Files are
// written under a temporary name and renamed, so a reader never sees half a file; a file that is
// read is touched, and when the folder passes its byte limit the files least recently used go.
//
// Only the files' names say what they hold: a file that does not read as a bitmap of the expected
// size is removed and the thumbnail made again. The folder is a cache: every failure to write
// or read it only costs the time of making the thumbnail.

#include "base/Geometry.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace gp {

class Image;

class ThumbnailDiskCache {
public:
    ThumbnailDiskCache(std::filesystem::path folder, std::size_t byteLimit);

    // The length of a whole file of a 24-bit thumbnail of that size.
    static std::uintmax_t fileBytes(Size thumbnail);
    // The file that holds (or would hold) the thumbnail of a photo identified by identity.
    std::filesystem::path fileFor(const std::string& identity, Size thumbnail) const;
    // Marks a file as just used, so trimming keeps it longest.
    void touch(const std::filesystem::path& file) const;
    // Forgets a file that did not hold what its name says.
    void discard(const std::filesystem::path& file) const;
    // Writes a thumbnail's file; false when it could not be written (nothing is left behind).
    bool store(const std::string& identity, const Image& thumbnail);
    // Removes the least recently used files until the folder is within its limit.
    void trim() const;

private:
    std::filesystem::path m_folder;
    std::size_t m_byteLimit;
    int m_storesSinceTrim = 0;
};

} // namespace gp
