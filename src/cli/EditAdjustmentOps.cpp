// The OPs of glimmerpress-cli edit for the adjustments, filters and effects: the values the
// dialogs would hand over are given on the command line, and the apply step of the program runs
// with them (on the selection when there is one). A picture type the command refuses beeps, as
// the dispatcher does, and fails the OP.

#include "EditOps.h"

#include "app/AdjustmentCommands.h"
#include "app/ApplyEdit.h"
#include "app/WorkflowActions.h"
#include "editing/workflow/EffectsLibrary.h"
#include "image/ImageType.h"
#include "shell/CommandIds.h"
#include "shell/Host.h"

#include <algorithm>

namespace gp::cli {

namespace {

// Whether the command's image-type gate lets the active document through (beeps when not).
bool accepted(App& app, int command)
{
    Document* document = app.activeDocument();
    if (!document)
        return false;
    if (app.commands().accepts(command, imageTypeOf(&document->image())))
        return true;
    app.host().beep();
    return false;
}

OpOutcome outcome(App& app, int result)
{
    if (result != command::ResultChanged)
        return OpOutcome::Failed;
    app.activeDocument()->state().modified = true;
    return OpOutcome::Done;
}

std::optional<int> integerIn(const std::string& text, int low, int high)
{
    const auto value = opInteger(text);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}

// rgb (or gray), red, green, blue.
std::optional<ToneChannel> channelArgument(const OpArguments& arguments, std::size_t index)
{
    if (arguments.size() <= index)
        return ToneChannel::All;
    const std::string& name = arguments[index];
    if (name == "rgb" || name == "gray")
        return ToneChannel::All;
    if (name == "red")
        return ToneChannel::Red;
    if (name == "green")
        return ToneChannel::Green;
    if (name == "blue")
        return ToneChannel::Blue;
    return std::nullopt;
}

bool activeIsGrayscale(App& app)
{
    return isGrayscale(&app.activeDocument()->image());
}

OpOutcome filterOp(App& app, int command, const std::string& intensityText)
{
    const auto intensity = integerIn(intensityText, 1, 100);
    if (!intensity)
        return OpOutcome::BadArguments;
    if (!accepted(app, command))
        return OpOutcome::Failed;
    const FilterDialogModel model(command, *intensity);
    app.editingMemory().setIntensity(command, *intensity);
    return outcome(app, applyFilter(app, model));
}

} // namespace

OpOutcome brightnessOp(App& app, const OpArguments& arguments)
{
    const auto brightness = integerIn(arguments[0], -128, 127);
    const auto contrast = integerIn(arguments[1], -128, 127);
    const auto channel = channelArgument(arguments, 2);
    if (!brightness || !contrast || !channel)
        return OpOutcome::BadArguments;
    if (!accepted(app, command::BrightnessContrast))
        return OpOutcome::Failed;
    if (*brightness == 0 && *contrast == 0)
        return OpOutcome::Done; // nothing to change, as OK with both sliders centred
    BrightnessContrastModel model(activeIsGrayscale(app));
    model.setBrightnessPosition(*brightness + 128);
    model.setContrastPosition(*contrast + 128);
    model.setChannel(*channel);
    return outcome(app, applyBrightnessContrast(app, model));
}

OpOutcome hueSaturationOp(App& app, const OpArguments& arguments)
{
    const auto hue = integerIn(arguments[0], -180, 180);
    const auto saturation = integerIn(arguments[1], -100, 100);
    if (!hue || !saturation)
        return OpOutcome::BadArguments;
    if (!accepted(app, command::HueSaturation))
        return OpOutcome::Failed;
    if (*hue == 0 && *saturation == 0)
        return OpOutcome::Done;
    HueSaturationModel model;
    model.setHuePosition(*hue + 180);
    model.setSaturationPosition(*saturation + 100);
    return outcome(app, applyHueSaturation(app, model));
}

OpOutcome toneOp(App& app, const OpArguments& arguments)
{
    const auto highlight = integerIn(arguments[0], -100, 100);
    const auto midtone = integerIn(arguments[1], -100, 100);
    const auto shadow = integerIn(arguments[2], -100, 100);
    const auto channel = channelArgument(arguments, 3);
    if (!highlight || !midtone || !shadow || !channel)
        return OpOutcome::BadArguments;
    if (!accepted(app, command::ToneAdjustment))
        return OpOutcome::Failed;
    ToneModel model(activeIsGrayscale(app), *channel);
    model.setHighlight(*highlight);
    model.setMidtone(*midtone);
    model.setShadow(*shadow);
    app.editingMemory().setToneChannel(model.channel());
    return outcome(app, applyToneAdjustment(app, model));
}

OpOutcome toneAutoOp(App& app, const OpArguments& arguments)
{
    const auto channel = channelArgument(arguments, 0);
    if (!channel)
        return OpOutcome::BadArguments;
    if (!accepted(app, command::ToneAdjustment))
        return OpOutcome::Failed;
    const auto source = previewSource(app);
    if (!source)
        return OpOutcome::Failed;
    ToneModel model(activeIsGrayscale(app), *channel);
    model.autoAdjust(*source);
    app.editingMemory().setToneChannel(model.channel());
    return outcome(app, applyToneAdjustment(app, model));
}

OpOutcome blurOp(App& app, const OpArguments& arguments)
{
    return filterOp(app, command::Blur, arguments[0]);
}

OpOutcome sharpenOp(App& app, const OpArguments& arguments)
{
    return filterOp(app, command::Sharpen, arguments[0]);
}

OpOutcome effectOp(App& app, const OpArguments& arguments)
{
    const auto id = integerIn(arguments[0], command::EffectFirst, command::EffectLast - 1);
    if (!id)
        return OpOutcome::BadArguments;
    app.editingMemory().chooseEffect(*id);
    return filterOp(app, *id, arguments[1]);
}

// The Edit Photo screen's effect on the document: the effect must be one the library lists, the
// intensity 0..100 is settled as the screen settles it. A missing library has said so.
OpOutcome libraryEffectOp(App& app, const OpArguments& arguments)
{
    const auto effect = opInteger(arguments[0]);
    const auto intensity = integerIn(arguments[1], 0, 100);
    if (!effect || !intensity)
        return OpOutcome::BadArguments;
    const auto library = openEffectsLibrary(app.paths(), app.host());
    if (!library)
        return OpOutcome::Failed;
    const auto listed = library->effects();
    if (std::ranges::none_of(listed, [&](const EffectEntry& entry) { return entry.number == *effect; }))
        return OpOutcome::BadArguments;
    if (!app.activeDocument())
        return OpOutcome::Failed;
    return outcome(app, applyLibraryEffect(app, *library, *effect, *intensity));
}

} // namespace gp::cli
