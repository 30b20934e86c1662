#include "album/AlbumPhotoReader.h"

#include "codecs/ReadImageFile.h"

namespace gp {

std::optional<Image> readPhotoQuietly(const ImageFileContext& files, const std::string& path, PhotoCdReadMode photoCdMode)
{
    files.photoCdOptions.readMode = photoCdMode;
    ReadResult result = readImageFile(files, path);
    // Only a Photo CD read consumes the mode; any other format must not leave it for the next Open.
    files.photoCdOptions.readMode = PhotoCdReadMode::Ask;
    if (!result.ok())
        return std::nullopt;
    return std::move(result.image);
}

PhotoFileReader albumPhotoReader(const ImageFileContext& files)
{
    return [files](const std::string& path) { return readPhotoQuietly(files, path, PhotoCdReadMode::AlbumThumbnail); };
}

} // namespace gp
