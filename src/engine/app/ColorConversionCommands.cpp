#include "app/ColorConversionCommands.h"

#include "image/ColorConversion.h"
#include "app/App.h"
#include "shell/CommandIds.h"

namespace gp {

namespace {

struct ConversionCommand {
    int id;
    ColorMode mode;
    StringId title;
    TypeGate gate;
};

int convertActive(App& app, ColorMode mode, StringId title)
{
    Document* document = app.activeDocument();
    if (!document)
        return command::ResultNone;
    auto converted = convertColorMode(document->image(), mode, app.allocator());
    if (!converted)
        return command::ResultNone;
    app.documents().create(std::move(*converted), app.documents().makeUntitledName(title));
    return command::ResultNone;
}

} // namespace

void registerColorConversionCommands(App& app)
{
    using enum ImageType;
    const ConversionCommand commands[] = {
        { command::ToBlackWhite, ColorMode::BlackWhite, StringId::UntitledBlackWhite,
            { Gray8, Rgb24, Indexed8, Indexed4 } },
        { command::ToGrayscale, ColorMode::Gray, StringId::UntitledGrayscale,
            { Rgb24, Indexed8, Indexed4, BlackWhite } },
        { command::To16Colors, ColorMode::Colors16, StringId::Untitled16Color, { Gray8, Rgb24, Indexed8 } },
        { command::To256Colors, ColorMode::Colors256, StringId::Untitled256Color, { Rgb24 } },
        { command::ToTrueColor, ColorMode::TrueColor, StringId::UntitledTrueColor,
            { Gray8, Indexed8, Indexed4, BlackWhite } },
    };
    for (const auto& c : commands)
        app.commands().set(
            c.id, [&app, mode = c.mode, title = c.title](std::string_view) { return convertActive(app, mode, title); },
            c.gate, GateFailure::Silent);
}

} // namespace gp
