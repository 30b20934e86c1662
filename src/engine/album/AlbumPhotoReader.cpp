#include "album/AlbumPhotoReader.h"

#include "codecs/ReadImageFile.h"
#include "shell/App.h"

namespace gp {

PhotoFileReader albumPhotoReader(App& app)
{
    return [&app](const std::string& path) -> std::optional<Image> {
        const bool warnings = app.fileWarnings();
        app.setFileWarnings(false);
        ReadResult result = readImageFile(app, path);
        app.setFileWarnings(warnings);
        if (!result.ok())
            return std::nullopt;
        return std::move(result.image);
    };
}

} // namespace gp
