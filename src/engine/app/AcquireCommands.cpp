#include "app/AcquireCommands.h"

#include "app/App.h"
#include "shell/Host.h"
#include "shell/StringTable.h"
#include "shell/CommandIds.h"

namespace gp {

void registerAcquireCommands(App& app)
{
    app.commands().set(command::Acquire, [&app](std::string_view) {
        // The active photo is offered for saving first; whatever the answer, the scan goes on.
        if (Document* active = app.activeDocument()) {
            app.documents().confirmClosing(*active, app.host(), [&app] { app.execute(command::Save); });
            active->state().modified = false;
        }
        app.acquisition().acquire();
        return command::ResultNone;
    });
    app.commands().set(command::SelectSource, [&app](std::string_view) {
        app.acquisition().selectSource();
        return command::ResultNone;
    });
}

void makeAcquiredDocument(App& app, Image image)
{
    app.currentName() = app.documents().makeUntitledName(StringId::UntitledAcquired);
    if (!app.newDocument(std::move(image)))
        return;
    app.host().setStatus(StatusPane::Zoom, app.documents().zoomStatus());
    app.host().setStatus(StatusPane::Type, app.documents().typeStatus());
}

} // namespace gp
