#include "app/ZoomCommands.h"

#include "image/Zoom.h"
#include "app/App.h"
#include "shell/CommandIds.h"
#include "shell/Host.h"

namespace gp {

namespace {

int zoomActive(App& app, int id)
{
    Document* document = app.activeDocument();
    if (!document)
        return command::ResultNone;
    const Size image{document->image().width(), document->image().height()};
    const DocumentView& view = app.documentView();
    const Size usable = view.usableArea ? view.usableArea() : image;
    const ZoomOutcome outcome = applyZoomCommand(id, document->state().zoom, image, usable);
    if (outcome.beep)
        app.host().beep();
    if (outcome.changed) {
        document->state().zoom = outcome.zoom;
        if (view.zoomChanged)
            view.zoomChanged();
    }
    return command::ResultNone;
}

} // namespace

void registerZoomCommands(App& app)
{
    for (int id = command::ZoomFirst; id <= command::ZoomLast; ++id)
        app.commands().set(id, [&app, id](std::string_view) { return zoomActive(app, id); });
}

} // namespace gp
