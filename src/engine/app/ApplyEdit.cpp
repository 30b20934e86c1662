#include "app/ApplyEdit.h"

#include "editing/selection/LiftSelection.h"
#include "editing/ResultImage.h"
#include "editing/selection/SelectionContent.h"
#include "app/SelectionTransform.h"
#include "app/App.h"

namespace gp {

int applyEdit(App& app, int undoCode, const EditRoutine& routine)
{
    Document* document = app.activeDocument();
    if (!document)
        return 0;
    const FilterRun run { app.allocator(), app.host(), true, &app.statusLine(), &app.workers() };
    DocumentState& state = document->state();
    if (!hasSelection(state))
        return transformWholeImage(app, *document, undoCode, [&](const Image& image) { return routine(image, run); });

    const auto taken = takeSelectionContent(state, app.settings().active, app.allocator());
    if (!taken)
        return 0;
    app.undoRecord().drop();
    auto result = routine(*state.floating, run);
    if (!result) {
        restoreSelectionContent(state, *taken);
        return 0;
    }
    app.undoRecord().record(*document, undoCode + kSelectionUndoOffset);
    state.floating = std::move(*result);
    swapFloatingSelection(state);
    app.host().repaintDocument(*document, state.selection);
    return 1;
}

std::optional<Image> previewSource(App& app)
{
    const Document* document = app.activeDocument();
    if (!document)
        return std::nullopt;
    const DocumentState& state = document->state();
    if (hasSelection(state) && !state.floating)
        return liftSelection(*state.image, maskRect(*state.mask, state.selection.left, state.selection.top),
            app.settings().active, app.allocator());
    return duplicate(*state.image, app.allocator());
}

PreviewPicture previewPicture(App& app)
{
    const Document* document = app.activeDocument();
    if (!document)
        return {};
    const DocumentState& state = document->state();
    if (hasSelection(state) && !state.floating) {
        std::optional<Image> lifted = liftSelection(*state.image,
            maskRect(*state.mask, state.selection.left, state.selection.top), app.settings().active, app.allocator());
        return lifted ? PreviewPicture(std::move(*lifted)) : PreviewPicture();
    }
    return PreviewPicture(*state.image);
}

} // namespace gp
