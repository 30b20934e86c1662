#include "app/CommandGates.h"

#include "shell/CommandIds.h"

namespace gp {

std::optional<CommandGate> commandGate(int id)
{
    using T = ImageType;
    const CommandGate grayOrRgb { { T::Gray8, T::Rgb24 }, GateFailure::Beep };
    const CommandGate anyImage { { T::Gray8, T::Rgb24, T::Indexed8, T::Indexed4 }, GateFailure::Beep };
    switch (id) {
    case command::Stitch: return CommandGate { { T::Gray8, T::Rgb24 }, GateFailure::Silent };
    case command::BrightnessContrast:
    case command::ToneAdjustment: return anyImage;
    case command::HueSaturation: return CommandGate { { T::Rgb24, T::Indexed8, T::Indexed4 }, GateFailure::Beep };
    case command::Blur:
    case command::Sharpen: return grayOrRgb;
    case command::ToBlackWhite:
        return CommandGate { { T::Gray8, T::Rgb24, T::Indexed8, T::Indexed4 }, GateFailure::Silent };
    case command::ToGrayscale:
        return CommandGate { { T::Rgb24, T::Indexed8, T::Indexed4, T::BlackWhite }, GateFailure::Silent };
    case command::To16Colors: return CommandGate { { T::Gray8, T::Rgb24, T::Indexed8 }, GateFailure::Silent };
    case command::To256Colors: return CommandGate { { T::Gray8, T::Rgb24 }, GateFailure::Silent };
    case command::ToTrueColor:
        return CommandGate { { T::Gray8, T::Indexed8, T::Indexed4, T::BlackWhite }, GateFailure::Silent };
    default: break;
    }
    if (id >= command::EffectFirst && id <= command::EffectLast)
        return grayOrRgb;
    return std::nullopt;
}

} // namespace gp
