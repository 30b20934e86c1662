#include "album/AlbumPhotoReader.h"

#include "codecs/ReadImageFile.h"

namespace gp {

PhotoFileReader albumPhotoReader(const ImageFileContext& files)
{
    return [files](const std::string& path) -> std::optional<Image> {
        ReadResult result = readImageFile(files, path);
        if (!result.ok())
            return std::nullopt;
        return std::move(result.image);
    };
}

} // namespace gp
