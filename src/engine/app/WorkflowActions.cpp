#include "app/WorkflowActions.h"

#include "codecs/SafeSave.h"
#include "image/DocumentList.h"
#include "app/App.h"
#include "app/SaveCommands.h"

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

} // namespace gp
