#include "app/EditMenuCommands.h"

#include "editing/selection/ConvertForPaste.h"
#include "editing/selection/FillOutsideMask.h"
#include "editing/selection/LiftSelection.h"
#include "editing/PixelAccess.h"
#include "editing/ResultImage.h"
#include "editing/selection/SelectionContent.h"
#include "image/ImageType.h"
#include "app/App.h"
#include "shell/CommandIds.h"
#include "shell/Host.h"

#include <algorithm>
#include <memory>

namespace gp {

namespace {

// The private copy, or else the system clipboard's bitmap made the copy (without a mask).
bool obtainClipboardCopy(App& app)
{
    if (!app.clipboard().isEmpty())
        return true;
    auto image = app.host().systemClipboardBitmap();
    if (!image)
        return false;
    app.clipboard().set(std::move(*image), std::nullopt, false);
    return true;
}

// The pasted area's mask: pixels selected both in the document's selection and in the copy.
std::optional<Image> intersectMasks(
    const Image& selection, const Image& copy, int width, int height, const Allocator& allocator)
{
    auto mask = allocator.mask(width, height);
    if (!mask)
        return std::nullopt;
    const int rows = std::min(selection.height(), copy.height());
    const int columns = std::min(selection.width(), copy.width());
    for (int row = 0; row < rows; ++row)
        for (int x = 0; x < columns; ++x)
            if (pixelIndex(selection.row(row), x, 1) && pixelIndex(copy.row(row), x, 1))
                setPixelIndex(mask->row(row), x, 1, 1);
    return mask;
}

} // namespace

int undoLast(App& app)
{
    if (!app.undoRecord().undo(app.documents(), app.host()))
        return 0;
    app.refreshDocumentStatus();
    return 1;
}

bool copyToClipboard(App& app)
{
    Document* document = app.activeDocument();
    if (!document)
        return false;
    AppHost& host = app.host();
    const DocumentState& state = document->state();
    host.setWaitCursor(true);
    app.clipboard().clear();
    // The system clipboard gets the bitmap only when another program asks for it; when another
    // program empties the clipboard, the copy goes too.
    host.offerClipboardBitmap([&app] { return app.clipboard().render(app.settings().active); },
                              [&app] { app.clipboard().clear(); });
    std::optional<Image> picture;
    std::optional<Image> mask;
    if (state.mask) {
        picture = liftSelection(*state.image, maskRect(*state.mask, state.selection.left, state.selection.top),
            app.settings().active, app.allocator());
        if (picture)
            mask = duplicate(*state.mask, app.allocator());
    } else {
        picture = duplicate(*state.image, app.allocator());
    }
    host.setWaitCursor(false);
    if (!picture || (state.mask && !mask))
        return false;
    app.clipboard().set(std::move(*picture), std::move(mask), state.selectionShown);
    return true;
}

int cutToClipboard(App& app)
{
    if (!copyToClipboard(app))
        return 0;
    Document& document = *app.activeDocument();
    DocumentState& state = document.state();
    const Rgb fill = app.settings().active;
    const Allocator& allocator = app.allocator();
    app.undoRecord().drop();
    if (state.mask) {
        const auto source = takeSelectionContent(state, fill, allocator);
        if (!source)
            return 0;
        auto cleared = duplicate(*state.floating, allocator);
        if (!cleared) {
            restoreSelectionContent(state, *source);
            return 0;
        }
        fillOutsideMask(*cleared, *state.mask, MaskSide::Inside, fill);
        app.undoRecord().record(document, undo::CutSelection);
        state.floating = std::move(*cleared);
        swapFloatingSelection(state);
        app.host().repaintDocument(document, state.selection);
        return 1;
    }
    auto cleared = allocateLike(*state.image, state.image->width(), state.image->height(), allocator);
    if (!cleared)
        return 0;
    fillImage(*cleared, fill);
    app.undoRecord().record(document, undo::CutImage);
    document.replaceImage(std::make_shared<Image>(std::move(*cleared)));
    app.host().repaintDocument(document, std::nullopt);
    return 1;
}

int pasteFromClipboard(App& app)
{
    Document* document = app.activeDocument();
    if (!document)
        return 0;
    const ImageType type = imageTypeOf(&document->image());
    if (type != ImageType::Gray8 && type != ImageType::Rgb24)
        return 0;
    if (!obtainClipboardCopy(app))
        return 0;
    const ClipboardCopy& clip = app.clipboard();
    const Allocator& allocator = app.allocator();
    const Rgb fill = app.settings().active;
    const PasteTarget target = type == ImageType::Gray8 ? PasteTarget::Gray8 : PasteTarget::Rgb24;
    DocumentState& state = document->state();
    app.undoRecord().drop();

    std::optional<Image> madeMask;
    if (!clip.mask()) {
        madeMask = fullMask(clip.width(), clip.height(), allocator);
        if (!madeMask)
            return 0;
    }
    const Image& copyMask = clip.mask() ? *clip.mask() : *madeMask;
    const Rect before = state.selection;

    if (state.mask) {
        // Into the selection: the copy lands at the selection's corner, shows where both the
        // selection and the copy are selected, and the rectangle grows to hold both.
        const int width = std::max(clip.width(), state.mask->width());
        const int height = std::max(clip.height(), state.mask->height());
        auto mask = intersectMasks(*state.mask, copyMask, width, height, allocator);
        if (!mask)
            return 0;
        auto floating = convertForPaste(clip.image(), target, width, height, fill, allocator);
        if (!floating)
            return 0;
        // An earlier floating selection gives way: its content leaves the picture.
        swapFloatingSelection(state);
        app.undoRecord().record(*document, undo::PasteIntoSelection);
        const Rect area { before.left, before.top, before.left + width, before.top + height };
        placeSelection(state, std::move(*floating), std::move(*mask), area);
    } else {
        auto floating = convertForPaste(clip.image(), target, clip.width(), clip.height(), fill, allocator);
        if (!floating)
            return 0;
        auto mask = clip.mask() ? duplicate(copyMask, allocator) : std::move(madeMask);
        if (!mask)
            return 0;
        app.undoRecord().record(*document, undo::PasteWhole);
        placeSelection(state, std::move(*floating), std::move(*mask), Rect { 0, 0, clip.width(), clip.height() });
    }
    app.host().repaintDocument(*document, before);
    app.host().repaintDocument(*document, state.selection);
    return 1;
}

int pasteAsNewDocument(App& app)
{
    if (!obtainClipboardCopy(app))
        return 0;
    const ClipboardCopy& clip = app.clipboard();
    auto picture = duplicate(clip.image(), app.allocator());
    if (!picture)
        return 0;
    if (clip.mask())
        fillOutsideMask(*picture, *clip.mask(), MaskSide::Outside, app.settings().active);
    app.currentName() = app.documents().makeUntitledName(StringId::UntitledDuplicated);
    app.newDocument(std::move(*picture));
    return 0;
}

void registerEditMenuCommands(App& app)
{
    CommandDispatcher& commands = app.commands();
    commands.set(command::Undo, [&app](std::string_view) { return undoLast(app); });
    commands.set(command::Cut, [&app](std::string_view) { return cutToClipboard(app); });
    commands.set(command::Copy, [&app](std::string_view) {
        copyToClipboard(app);
        return 0;
    });
    commands.set(command::Paste, [&app](std::string_view) { return pasteFromClipboard(app); });
    commands.set(command::PasteAsNew, [&app](std::string_view) { return pasteAsNewDocument(app); });
}

} // namespace gp
