#include "album/AlbumPhotoReader.h"

#include "codecs/ReadImageFile.h"
#include "shell/App.h"

namespace gp {

std::optional<Image> readPhotoQuietly(App& app, const std::string& path, PhotoCdReadMode photoCdMode)
{
    const bool warnings = app.fileWarnings();
    app.setFileWarnings(false);
    app.photoCdOptions().readMode = photoCdMode;
    ReadResult result = readImageFile(app, path);
    // Only a Photo CD read consumes the mode; any other format must not leave it for the next Open.
    app.photoCdOptions().readMode = PhotoCdReadMode::Ask;
    app.setFileWarnings(warnings);
    if (!result.ok())
        return std::nullopt;
    return std::move(result.image);
}

PhotoFileReader albumPhotoReader(App& app)
{
    return [&app](const std::string& path) { return readPhotoQuietly(app, path, PhotoCdReadMode::AlbumThumbnail); };
}

} // namespace gp
