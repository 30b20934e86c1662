#include "app/SelectionTransform.h"

#include "editing/selection/SelectionContent.h"
#include "app/App.h"
#include "shell/Host.h"

#include <memory>

namespace gp {

bool repeatsRecordedTransform(App& app, const Document& document, int undoCode)
{
    const UndoRecord& undo = app.undoRecord();
    return undo.code() == undoCode && undo.document() == &document && undo.savedFloating() && undo.savedMask();
}

int transformSelection(App& app, Document& document, int undoCode, bool repeat, const SelectionTransformFn& transform)
{
    DocumentState& state = document.state();
    UndoRecord& undo = app.undoRecord();
    const Rect before = state.selection;

    std::optional<TransformedSelection> result;
    ContentSource source = ContentSource::Swapped;
    if (repeat) {
        // The picture shows again what lay beneath before the first step; the record holds the
        // content, mask and place from before it.
        swapFloatingSelection(state);
        result = transform(*undo.savedFloating(), *undo.savedMask(), undo.savedSelection());
    } else {
        const auto taken = takeSelectionContent(state, app.settings().active, app.allocator());
        if (!taken)
            return 0;
        source = *taken;
        result = transform(*state.floating, *state.mask, state.selection);
    }
    if (!result) {
        restoreSelectionContent(state, source);
        return 0;
    }

    undo.record(document, undoCode);
    placeSelection(state, std::move(result->floating), std::move(result->mask), result->area);
    state.selectionShown = result->shown;
    app.host().repaintDocument(document, before);
    app.host().repaintDocument(document, state.selection);
    return 1;
}

int transformWholeImage(
    App& app, Document& document, int undoCode, const std::function<std::optional<Image>(const Image&)>& transform)
{
    app.undoRecord().drop();
    auto result = transform(document.image());
    if (!result)
        return 0;
    app.undoRecord().record(document, undoCode);
    document.replaceImage(std::make_shared<Image>(std::move(*result)));
    app.host().repaintDocument(document, std::nullopt);
    return 1;
}

} // namespace gp
