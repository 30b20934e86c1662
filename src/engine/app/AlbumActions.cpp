#include "app/AlbumActions.h"

#include "album/AlbumPhotoReader.h"
#include "album/CameraPhotoName.h"
#include "album/ThumbnailPrefetch.h"
#include "codecs/ImageFileTypes.h"
#include "codecs/SafeSave.h"
#include "app/SaveCommands.h"
#include "image/Widen.h"
#include "app/App.h"
#include "shell/StringTable.h"

namespace gp {

AddOutcome addActivePhotoToAlbum(App& app, int albumIndex)
{
    Document* document = app.activeDocument();
    if (!document)
        return AddOutcome::Unreadable;
    if (DocumentList::isUntitled(document->title())) {
        runSaveAsCommand(app);
        document = app.activeDocument();
        if (!document || DocumentList::isUntitled(document->title()))
            return AddOutcome::NotSaved;
    }
    AlbumRegistry& registry = app.albums().registry;
    if (albumIndex < 0 || albumIndex >= registry.count(AlbumFamily::General))
        return AddOutcome::AlbumUnreadable;
    return addImageToAlbum(registry.path(AlbumFamily::General, albumIndex), document->image(), document->title(),
        app.paths().programDir, app.allocator());
}

int addThumbnailsFromDialog(App& app, const std::function<void(std::string_view)>& showInfo,
    const std::function<void(int done, int total)>& progress)
{
    AlbumState& albums = app.albums();
    const auto choice = app.host().chooseOpenFiles(text(StringId::AddThumbnailsTitle),
        app.recentFiles().lastDirectory(), openFilters(), albums.addThumbnailsFilter, true);
    if (!choice)
        return 0;
    albums.addThumbnailsFilter = choice->filterIndex;
    AlbumAdder adder { app.allocator(), albumPhotoReader(app.imageFiles()), showInfo };
    adder.abortRequested = [&app] { return app.host().escapePressed(); };
    adder.progress = progress;
    adder.prefetchWorkers = ThumbnailPrefetch::defaultWorkers();
    return addFilesToAlbum(albums.open, choice->paths, adder);
}

AddOutcome storeCapturedPhoto(
    App& app, const Image& photo, const std::tm& today, const std::function<void(std::string_view)>& showInfo)
{
    std::optional<Image> wide = widenTo24(photo, app.allocator());
    if (!wide)
        return AddOutcome::Unreadable;
    std::string path = nextCameraPhotoPath(app.settings(), app.settingsFile(), app.paths().dataDir, today).string();
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (!saveImageWithBackup(app.imageFiles(), *wide, path))
        return AddOutcome::NotSaved;
    return addFileToAlbum(app.albums().open, path, AlbumAdder { app.allocator(), albumPhotoReader(app.imageFiles()), showInfo });
}

} // namespace gp
