#include "acquire/AcquireCommands.h"

#include "shell/App.h"
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

} // namespace gp
