#include "app/AdjustmentCommands.h"

#include "app/ApplyEdit.h"
#include "image/ImageType.h"
#include "app/App.h"
#include "shell/CommandIds.h"
#include "shell/Host.h"

namespace gp {

int applyBrightnessContrast(App& app, const BrightnessContrastModel& model)
{
    // Both values 0: nothing changes and the undo record is left as it is.
    if (model.brightness() == 0 && model.contrast() == 0)
        return 0;
    return applyEdit(app, undo::BrightnessContrast,
        [&](const Image& source, const FilterRun& run) { return model.compute(source, run); });
}

int applyHueSaturation(App& app, const HueSaturationModel& model)
{
    if (model.hue() == 0 && model.saturation() == 0)
        return 0;
    return applyEdit(app, undo::HueSaturation,
        [&](const Image& source, const FilterRun& run) { return model.compute(source, run); });
}

int applyToneAdjustment(App& app, const ToneModel& model)
{
    return applyEdit(app, undo::ToneAdjustment,
        [&](const Image& source, const FilterRun& run) { return model.compute(source, run); });
}

EffectInputs effectInputs(App& app)
{
    return { app.random(), app.settings().active };
}

int applyFilter(App& app, const FilterDialogModel& model)
{
    const EffectInputs inputs = effectInputs(app);
    return applyEdit(app, filterUndoCode(model.command()),
        [&](const Image& source, const FilterRun& run) { return model.compute(source, inputs, run); });
}

namespace {

bool activeIsGrayscale(App& app)
{
    return isGrayscale(&app.activeDocument()->image());
}

// Previews run quietly: no progress texts and no Escape test.
FilterRun previewRun(App& app)
{
    return { app.allocator(), app.host(), false, &app.statusLine(), &app.workers() };
}

int brightnessContrastCommand(App& app)
{
    const PreviewPicture source = previewPicture(app);
    if (!source)
        return 0;
    BrightnessContrastModel model(activeIsGrayscale(app));
    const FilterRun quiet = previewRun(app);
    const auto preview = [&](const Image& sample) { return model.compute(sample, quiet); };
    if (!app.host().runBrightnessContrastDialog(model, *source, preview))
        return 0;
    return applyBrightnessContrast(app, model);
}

int hueSaturationCommand(App& app)
{
    const PreviewPicture source = previewPicture(app);
    if (!source)
        return 0;
    HueSaturationModel model;
    const FilterRun quiet = previewRun(app);
    const auto preview = [&](const Image& sample) { return model.compute(sample, quiet); };
    if (!app.host().runHueSaturationDialog(model, *source, preview))
        return 0;
    return applyHueSaturation(app, model);
}

int toneCommand(App& app)
{
    const PreviewPicture source = previewPicture(app);
    if (!source)
        return 0;
    const bool grayscale = activeIsGrayscale(app);
    ToneModel model(grayscale, app.editingMemory().toneChannel(grayscale));
    const FilterRun quiet = previewRun(app);
    const auto preview = [&](const Image& sample) { return model.compute(sample, quiet); };
    if (!app.host().runToneDialog(model, *source, preview))
        return 0;
    app.editingMemory().setToneChannel(model.channel());
    return applyToneAdjustment(app, model);
}

int filterCommand(App& app, int command)
{
    const PreviewPicture source = previewPicture(app);
    if (!source)
        return 0;
    EditingMemory& memory = app.editingMemory();
    const bool browser = command >= command::EffectFirst;
    if (browser)
        memory.chooseEffect(command);
    FilterDialogModel model(browser ? memory.currentEffectCommand() : command,
        memory.intensity(browser ? memory.currentEffectCommand() : command));
    const FilterRun quiet = previewRun(app);
    const EffectInputs inputs = effectInputs(app);
    const auto preview = [&](const Image& sample) { return model.compute(sample, inputs, quiet); };
    const bool accepted = browser ? app.host().runEffectBrowser(model, *source, preview)
                                  : app.host().runFilterDialog(model, *source, preview);
    if (!accepted)
        return 0;
    if (browser)
        memory.chooseEffect(model.command());
    memory.setIntensity(model.command(), model.intensity());
    return applyFilter(app, model);
}

} // namespace

void registerAdjustmentCommands(App& app)
{
    using T = ImageType;
    const TypeGate adjustable { T::Gray8, T::Rgb24, T::Indexed8, T::Indexed4 };
    const TypeGate colourful { T::Rgb24, T::Indexed8, T::Indexed4 };
    const TypeGate filterable { T::Gray8, T::Rgb24 };
    CommandDispatcher& commands = app.commands();
    commands.set(
        command::BrightnessContrast, [&app](std::string_view) { return brightnessContrastCommand(app); }, adjustable);
    commands.set(
        command::HueSaturation, [&app](std::string_view) { return hueSaturationCommand(app); }, colourful);
    commands.set(
        command::ToneAdjustment, [&app](std::string_view) { return toneCommand(app); }, adjustable);
    for (int id : { command::Blur, command::Sharpen })
        commands.set(
            id, [&app, id](std::string_view) { return filterCommand(app, id); }, filterable);
    for (int id = command::EffectFirst; id <= command::EffectLast; ++id)
        commands.set(
            id, [&app, id](std::string_view) { return filterCommand(app, id); }, filterable);
}

} // namespace gp
