#include "app/WorkflowActions.h"

#include "app/App.h"
#include "app/ApplyEdit.h"
#include "app/SaveCommands.h"
#include "codecs/ReadImageFile.h"
#include "codecs/SafeSave.h"
#include "editing/workflow/EffectIntensity.h"
#include "editing/workflow/EffectsLibrary.h"
#include "image/DocumentList.h"
#include "image/Widen.h"

#include <filesystem>

namespace gp {

std::shared_ptr<const Image> workflowPhoto(App& app)
{
    const LayoutPage& page = app.layoutPage();
    if (const PhotoHandle& photo = page.photo(page.currentCell()))
        return photo;
    if (Document* document = app.activeDocument())
        return document->state().image;
    return nullptr;
}

std::optional<std::string> workflowPhotoFile(App& app, const Image* photo)
{
    if (!photo)
        return std::nullopt;
    const Document* document = app.documents().findByImage(photo);
    if (!document)
        return std::nullopt;
    std::error_code error;
    if (!std::filesystem::is_regular_file(document->title(), error))
        return std::nullopt;
    return document->title();
}

std::shared_ptr<const Image> readWorkflowPhoto(App& app, const std::string& path)
{
    ReadResult read = readImageFile(app.imageFiles(), path);
    if (!read.ok())
        return nullptr;
    auto wide = widenTo24(*read.image, app.allocator());
    if (!wide)
        return nullptr;
    return std::make_shared<const Image>(std::move(*wide));
}

Document* openWorkflowResult(App& app, Image result, StringId kind)
{
    app.currentName() = app.documents().makeUntitledName(kind);
    return app.newDocument(std::move(result));
}

std::optional<std::string> saveWorkflowResult(App& app, const Image& result, StringId kind)
{
    auto name = chooseSaveAsName(app, text(kind));
    if (!name)
        return std::nullopt;
    app.currentName() = *name;
    if (!saveImageWithBackup(app.imageFiles(), result, *name))
        return std::nullopt;
    return name;
}

int applyLibraryEffect(App& app, const EffectsLibrary& library, int effect, int intensity)
{
    const int settled = settledIntensity(effect, intensity);
    return applyEdit(app, kLibraryEffectUndo, [&](const Image& source, const FilterRun& run) {
        return library.apply(effect, source, settled, run.allocator);
    });
}

} // namespace gp
