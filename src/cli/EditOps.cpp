// The OP table of glimmerpress-cli edit, and the OPs of the geometric transforms, the Edit menu
// and the dispatcher. They run the same engine calls as the program's commands.

#include "EditOps.h"

#include "editing/transform/ImageSizeModel.h"
#include "app/TransformCommands.h"
#include "image/ImageType.h"
#include "shell/CommandIds.h"
#include "shell/Host.h"

#include <charconv>

namespace gp::cli {

const std::map<std::string_view, EditOp>& editOps()
{
    static const std::map<std::string_view, EditOp> table = {
        { "flip-h", { 0, 0, flipHorizontalOp } },
        { "flip-v", { 0, 0, flipVerticalOp } },
        { "rotate", { 1, 1, rotateOp } },
        { "resample", { 3, 3, resampleOp } },
        { "crop", { 0, 0, cropOp } },
        { "discard", { 0, 0, discardOp } },
        { "undo", { 0, 0, undoOp } },
        { "copy", { 0, 0, copyOp } },
        { "cut", { 0, 0, cutOp } },
        { "paste", { 0, 0, pasteOp } },
        { "paste-new", { 0, 0, pasteNewOp } },
        { "cmd", { 1, 1, commandOp } },
        { "mode", { 1, 1, colorModeOp } },
        { "brightness", { 2, 3, brightnessOp } },
        { "huesat", { 2, 2, hueSaturationOp } },
        { "tone", { 3, 4, toneOp } },
        { "tone-auto", { 0, 1, toneAutoOp } },
        { "blur", { 1, 1, blurOp } },
        { "sharpen", { 1, 1, sharpenOp } },
        { "effect", { 2, 2, effectOp } },
        { "library-effect",
            { 2, 2, libraryEffectOp,
                "library-effect:N:I  effect N of the effects library (numbers as `effects` lists them) at\n"
                "                      intensity I (0..100; held to the effect's lowest intensity and rounded\n"
                "                      down to its step, as the Edit Photo screen does); 24-bit pictures only" } },
    };
    return table;
}

std::optional<int> opInteger(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

namespace {

// The result of an engine call made outside the dispatcher, kept as the dispatcher keeps it: a
// changed picture marks the active document modified.
int marked(App& app, int result)
{
    if (Document* document = app.activeDocument(); document && result == command::ResultChanged)
        document->state().modified = true;
    return result;
}

// A command that must change the document failed when it did not (its message, if any, has been
// shown).
OpOutcome changed(int result)
{
    return result == command::ResultChanged ? OpOutcome::Done : OpOutcome::Failed;
}

} // namespace

OpOutcome flipHorizontalOp(App& app, const OpArguments&)
{
    return changed(app.execute(command::FlipHorizontal));
}

OpOutcome flipVerticalOp(App& app, const OpArguments&)
{
    return changed(app.execute(command::FlipVertical));
}

OpOutcome rotateOp(App& app, const OpArguments& arguments)
{
    const auto degrees = opInteger(arguments[0]);
    if (!degrees)
        return OpOutcome::BadArguments;
    // Like an angle of 0 in the Rotate dialog, a whole turn does nothing.
    if (*degrees % 360 == 0)
        return OpOutcome::Done;
    return changed(marked(app, rotateActive(app, *degrees)));
}

// Image Size with the three fields typed in; OK refused (nothing changed) beeps as the dialog does.
OpOutcome resampleOp(App& app, const OpArguments& arguments)
{
    Document* document = app.activeDocument();
    if (!document)
        return OpOutcome::Failed;
    ImageSizeModel model(document->image(), false);
    if (!model.editWidth(arguments[0]) || !model.editHeight(arguments[1]) || !model.editResolution(arguments[2]))
        return OpOutcome::BadArguments;
    if (!model.acceptable()) {
        app.host().beep();
        return OpOutcome::Done;
    }
    const std::size_t before = app.documents().count();
    const int result = marked(app, applyImageSize(app, model));
    return result == command::ResultChanged || app.documents().count() > before ? OpOutcome::Done : OpOutcome::Failed;
}

OpOutcome cropOp(App& app, const OpArguments&)
{
    Document* document = app.activeDocument();
    const bool selected = document && document->state().mask && document->state().selectionShown;
    const int result = marked(app, cropToSelection(app));
    return !selected || result == command::ResultChanged ? OpOutcome::Done : OpOutcome::Failed;
}

OpOutcome discardOp(App& app, const OpArguments&)
{
    app.execute(command::Discard);
    return OpOutcome::Done;
}

OpOutcome undoOp(App& app, const OpArguments&)
{
    app.execute(command::Undo);
    return OpOutcome::Done;
}

OpOutcome copyOp(App& app, const OpArguments&)
{
    app.execute(command::Copy);
    return !app.activeDocument() || !app.clipboard().isEmpty() ? OpOutcome::Done : OpOutcome::Failed;
}

OpOutcome cutOp(App& app, const OpArguments&)
{
    const bool hasDocument = app.activeDocument() != nullptr;
    return !hasDocument || app.execute(command::Cut) == command::ResultChanged ? OpOutcome::Done : OpOutcome::Failed;
}

OpOutcome pasteOp(App& app, const OpArguments&)
{
    app.execute(command::Paste);
    return OpOutcome::Done;
}

OpOutcome pasteNewOp(App& app, const OpArguments&)
{
    const std::size_t before = app.documents().count();
    app.execute(command::PasteAsNew);
    return app.clipboard().isEmpty() || app.documents().count() > before ? OpOutcome::Done : OpOutcome::Failed;
}

// The Mode menu: the conversion opens its result as a new untitled document, which becomes the
// active one. A conversion that does not apply to the image's type does nothing, as in the menu.
OpOutcome colorModeOp(App& app, const OpArguments& arguments)
{
    static const std::map<std::string_view, int> modes = {
        { "bw", command::ToBlackWhite },
        { "gray", command::ToGrayscale },
        { "16", command::To16Colors },
        { "256", command::To256Colors },
        { "24", command::ToTrueColor },
    };
    const auto mode = modes.find(arguments[0]);
    if (mode == modes.end())
        return OpOutcome::BadArguments;
    const Document* document = app.activeDocument();
    if (!document || !app.commands().accepts(mode->second, imageTypeOf(&document->image())))
        return OpOutcome::Done;
    const std::size_t before = app.documents().count();
    app.execute(mode->second);
    return app.documents().count() > before ? OpOutcome::Done : OpOutcome::Failed;
}

OpOutcome commandOp(App& app, const OpArguments& arguments)
{
    const auto id = opInteger(arguments[0]);
    if (!id)
        return OpOutcome::BadArguments;
    app.execute(*id);
    return OpOutcome::Done;
}

} // namespace gp::cli
