#include "app/TransformCommands.h"

#include "editing/selection/FillOutsideMask.h"
#include "editing/transform/Flip.h"
#include "editing/transform/ImageSizeModel.h"
#include "editing/selection/LiftSelection.h"
#include "editing/selection/MaskBounds.h"
#include "editing/transform/Resample.h"
#include "editing/transform/Rotate.h"
#include "editing/transform/RotateDialogModel.h"
#include "editing/selection/SelectionContent.h"
#include "app/SelectionTransform.h"
#include "app/App.h"
#include "shell/CommandIds.h"
#include "shell/Host.h"
#include "shell/StringTable.h"

#include <algorithm>
#include <memory>

namespace gp {

namespace {

// Selection handles resample at screen resolution.
constexpr int kHandleResizeDpi = 96;

std::optional<Image> flipped(
    const Image& image, FlipAxis axis, const Allocator& allocator, Interrupt interrupt, WorkerPool* workers)
{
    return axis == FlipAxis::Horizontal ? flipHorizontal(image, allocator, interrupt, workers)
                                        : flipVertical(image, allocator, interrupt, workers);
}

// A turned selection stays centred on its old place and is then trimmed to its selected pixels.
std::optional<TransformedSelection> turnSelection(const Image& content, const Image& mask, Rect area, int degrees,
    Rgb fill, const Allocator& allocator, WorkerPool* workers)
{
    auto turned = rotateByAngle(content, degrees, fill, allocator, RotationSubject::Picture, workers);
    if (!turned)
        return std::nullopt;
    auto turnedMask = rotateByAngle(mask, degrees, fill, allocator, RotationSubject::Mask, workers);
    if (!turnedMask)
        return std::nullopt;
    const int left = area.left - (turned->width() - area.width()) / 2;
    const int top = area.top - (turned->height() - area.height()) / 2;
    const Rect placed { left, top, left + turned->width(), top + turned->height() };
    TransformedSelection result { std::move(*turned), std::move(*turnedMask), placed, true };
    const auto box = maskBounds(result.mask);
    if (!box) {
        result.shown = false;
        return result;
    }
    if (box->width() == result.mask.width() && box->height() == result.mask.height())
        return result;
    auto trimmed = liftSelection(result.floating, *box, fill, allocator);
    if (!trimmed)
        return std::nullopt;
    auto trimmedMask = liftSelection(result.mask, *box, fill, allocator, Interrupt::Never);
    if (!trimmedMask)
        return std::nullopt;
    result.floating = std::move(*trimmed);
    result.mask = std::move(*trimmedMask);
    result.area = Rect { left + box->left, top + box->top, left + box->right, top + box->bottom };
    return result;
}

} // namespace

int flipActive(App& app, FlipAxis axis)
{
    Document* document = app.activeDocument();
    if (!document)
        return 0;
    const Allocator& allocator = app.allocator();
    if (hasSelection(document->state())) {
        const int code = axis == FlipAxis::Horizontal ? undo::FlipHorizontalSelection : undo::FlipVerticalSelection;
        return transformSelection(app, *document, code, false,
            [&](const Image& content, const Image& mask, Rect area) -> std::optional<TransformedSelection> {
                auto image = flipped(content, axis, allocator, Interrupt::ByEscape, &app.workers());
                if (!image)
                    return std::nullopt;
                auto flippedMask = flipped(mask, axis, allocator, Interrupt::Never, &app.workers());
                if (!flippedMask)
                    return std::nullopt;
                return TransformedSelection { std::move(*image), std::move(*flippedMask), area };
            });
    }
    const int code = axis == FlipAxis::Horizontal ? undo::FlipHorizontal : undo::FlipVertical;
    return transformWholeImage(
        app, *document, code, [&](const Image& image) {
            return flipped(image, axis, allocator, Interrupt::ByEscape, &app.workers());
        });
}

int rotateActive(App& app, int clockwiseDegrees)
{
    Document* document = app.activeDocument();
    if (!document)
        return 0;
    const Allocator& allocator = app.allocator();
    const Rgb fill = app.settings().active;
    TransformMemory& memory = app.transformMemory();
    if (hasSelection(document->state())) {
        const bool repeat = repeatsRecordedTransform(app, *document, undo::RotateSelection);
        const int total = RotateDialogModel::normalise((repeat ? memory.selectionRotation : 0) + clockwiseDegrees);
        const int result = transformSelection(
            app, *document, undo::RotateSelection, repeat, [&](const Image& content, const Image& mask, Rect area) {
                return turnSelection(content, mask, area, total, fill, allocator, &app.workers());
            });
        memory.selectionRotation = result ? total : 0;
        return result;
    }
    memory.selectionRotation = 0;
    return transformWholeImage(app, *document, undo::Rotate,
        [&](const Image& image) {
            return rotateByAngle(image, clockwiseDegrees, fill, allocator, RotationSubject::Picture, &app.workers());
        });
}

int rotateByDialog(App& app)
{
    if (!app.activeDocument())
        return 0;
    TransformMemory& memory = app.transformMemory();
    RotateDialogModel model(memory.lastAngle);
    if (!app.host().runRotateDialog(model))
        return 0;
    memory.lastAngle = model.acceptedAngle();
    if (model.acceptedAngle() == 0)
        return 0;
    return rotateActive(app, 360 - model.acceptedAngle());
}

int imageSizeByDialog(App& app)
{
    Document* document = app.activeDocument();
    if (!document)
        return 0;
    ImageSizeModel model(document->image(), app.transformMemory().keepAspect);
    const bool accepted = app.host().runImageSizeDialog(model);
    app.transformMemory().keepAspect = model.keepAspect();
    if (!accepted)
        return 0;
    return applyImageSize(app, model);
}

int applyImageSize(App& app, const ImageSizeModel& model)
{
    Document* document = app.activeDocument();
    if (!document)
        return 0;
    if (model.sizeUnchanged()
        && app.host().ask(
               text(StringId::ProductName), text(StringId::ChangeResolutionQuestion), Buttons::YesNo, Icon::Question)
            == Answer::Yes) {
        const std::int32_t ppm = pixelsPerMeter(model.resolution());
        document->image().setResolution(ppm, ppm);
        return 1;
    }
    app.undoRecord().drop();
    auto result = resample(document->image(), model.width(), model.height(), model.resolution(), app.allocator(),
        Interrupt::ByEscape, &app.workers());
    if (!result)
        return 0;
    app.currentName() = app.documents().makeUntitledName(StringId::UntitledResampled);
    app.newDocument(std::move(*result));
    return 0;
}

int resizeByHandles(App& app, const std::array<Point, 4>& corners)
{
    Document* document = app.activeDocument();
    if (!document)
        return 0;
    Rect box { corners[0].x, corners[0].y, corners[0].x, corners[0].y };
    for (const Point& p : corners) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    if (box.isEmpty())
        return 0;
    const Allocator& allocator = app.allocator();
    DocumentState& state = document->state();
    if (hasSelection(state)) {
        if (box.width() == state.selection.width() && box.height() == state.selection.height())
            return 0;
        const bool repeat = repeatsRecordedTransform(app, *document, undo::ResizeSelection);
        return transformSelection(app, *document, undo::ResizeSelection, repeat,
            [&](const Image& content, const Image& mask, Rect) -> std::optional<TransformedSelection> {
                auto image = resample(content, box.width(), box.height(), kHandleResizeDpi, allocator,
                    Interrupt::ByEscape, &app.workers());
                if (!image)
                    return std::nullopt;
                auto resized = resample(
                    mask, box.width(), box.height(), kHandleResizeDpi, allocator, Interrupt::Never, &app.workers());
                if (!resized)
                    return std::nullopt;
                return TransformedSelection { std::move(*image), std::move(*resized), box };
            });
    }
    if (box.width() == state.width && box.height() == state.height)
        return 0;
    return transformWholeImage(app, *document, undo::Resize,
        [&](const Image& image) {
            return resample(
                image, box.width(), box.height(), kHandleResizeDpi, allocator, Interrupt::ByEscape, &app.workers());
        });
}

int cropToSelection(App& app)
{
    Document* document = app.activeDocument();
    if (!document || !hasSelection(document->state()))
        return 0;
    DocumentState& state = document->state();
    const Rgb fill = app.settings().active;
    app.undoRecord().drop();
    auto cropped = liftSelection(
        *state.image, maskRect(*state.mask, state.selection.left, state.selection.top), fill, app.allocator());
    if (!cropped)
        return 0;
    fillOutsideMask(*cropped, *state.mask, MaskSide::Outside, fill);
    // The record keeps the floating selection with its content, as Undo expects.
    swapFloatingSelection(state);
    app.undoRecord().record(*document, undo::Crop);
    document->replaceImage(std::make_shared<Image>(std::move(*cropped)));
    state.mask.reset();
    state.floating.reset();
    state.selection = {};
    state.selectionShown = false;
    // The crop tool acts outside the dispatcher, so it marks the document itself.
    state.modified = true;
    app.host().repaintDocument(*document, std::nullopt);
    return 1;
}

int discardSelection(App& app)
{
    Document* document = app.activeDocument();
    if (!document || !document->state().mask)
        return 0;
    DocumentState& state = document->state();
    app.undoRecord().drop();
    const bool contentLeaves = state.floating.has_value();
    swapFloatingSelection(state);
    const Rect before = state.selection;
    app.undoRecord().record(*document, undo::DiscardSelection);
    state.mask.reset();
    state.floating.reset();
    state.selection = {};
    state.selectionShown = false;
    app.host().repaintDocument(*document, before);
    return contentLeaves ? 1 : 0;
}

void registerTransformCommands(App& app)
{
    CommandDispatcher& commands = app.commands();
    commands.set(command::Discard, [&app](std::string_view) { return discardSelection(app); });
    // Edit > Delete discards the selection as well (the album window, once open, takes it over).
    commands.set(command::Delete, [&app](std::string_view) { return discardSelection(app); });
    commands.set(command::FlipHorizontal, [&app](std::string_view) { return flipActive(app, FlipAxis::Horizontal); });
    commands.set(command::FlipVertical, [&app](std::string_view) { return flipActive(app, FlipAxis::Vertical); });
    commands.set(command::RotateLeft90, [&app](std::string_view) { return rotateActive(app, 270); });
    commands.set(command::Rotate180, [&app](std::string_view) { return rotateActive(app, 180); });
    commands.set(command::RotateRight90, [&app](std::string_view) { return rotateActive(app, 90); });
    commands.set(command::RotateByDegrees, [&app](std::string_view) { return rotateByDialog(app); });
    commands.set(command::ImageSize, [&app](std::string_view) { return imageSizeByDialog(app); });
}

} // namespace gp
