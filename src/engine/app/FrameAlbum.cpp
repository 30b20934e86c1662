#include "app/FrameAlbum.h"

#include "album/AddToAlbum.h"
#include "album/AlbumFile.h"
#include "album/AlbumPhotoReader.h"
#include "app/App.h"
#include "editing/workflow/FrameFiles.h"
#include "shell/StringTable.h"

#include <filesystem>

namespace gp {

bool ensureFrameAlbum(App& app)
{
    AlbumRegistry& registry = app.albums().registry;
    if (registry.count(AlbumFamily::Frame) > 0)
        return false;
    const auto pictures = framePictures(shippedFramesFolder(app.paths()));
    if (pictures.empty())
        return false;

    // A list of its own: the shared open album may be shown by another window at this moment.
    AlbumList album;
    std::vector<std::string> paths;
    paths.reserve(pictures.size());
    for (const auto& picture : pictures)
        paths.push_back(picture.string());
    addFilesToAlbum(album, paths, AlbumAdder { app.allocator(), albumPhotoReader(app.imageFiles()) });
    if (album.isEmpty())
        return false;

    const auto created = registry.create(AlbumFamily::Frame);
    if (!created)
        return false;
    const int index = registry.count(AlbumFamily::Frame) - 1;
    const std::filesystem::path file = registry.path(AlbumFamily::Frame, index);
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (!saveAlbum(album, file, app.host(), &app.statusLine())) {
        registry.remove(AlbumFamily::Frame, index);
        return false;
    }
    registry.rename(AlbumFamily::Frame, index, std::string(text(StringId::FrameAlbumName)));
    registry.setCurrentIndex(AlbumFamily::Frame, index);
    return true;
}

} // namespace gp
