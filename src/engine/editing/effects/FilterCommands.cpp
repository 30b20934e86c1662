#include "editing/effects/FilterCommands.h"

#include "editing/effects/Blur.h"
#include "editing/effects/Cylinder.h"
#include "editing/effects/Emboss.h"
#include "editing/effects/FilmGrain.h"
#include "editing/effects/Grid3d.h"
#include "editing/effects/LensEffect.h"
#include "editing/effects/Melting.h"
#include "editing/effects/Mosaic.h"
#include "editing/effects/MotionBlur.h"
#include "editing/effects/Painting.h"
#include "editing/effects/Ribbon.h"
#include "editing/effects/Ripple.h"
#include "editing/effects/Sharpen.h"
#include "editing/effects/Sketch.h"
#include "editing/effects/Splash.h"
#include "editing/effects/TwistEffect.h"
#include "editing/effects/Wrinkle.h"
#include "shell/CommandIds.h"

namespace gp {

namespace {

constexpr int kBlurUndo = 1031;
constexpr int kSharpenUndo = 1034;
constexpr int kEffectUndoOffset = 738;
constexpr int kRibbonWaves = 15;

} // namespace

bool isFilterCommand(int command)
{
    return command == command::Blur || command == command::Sharpen
        || (command >= command::EffectFirst && command < command::EffectFirst + kEffectCount);
}

int filterUndoCode(int command)
{
    if (command == command::Blur)
        return kBlurUndo;
    if (command == command::Sharpen)
        return kSharpenUndo;
    if (isFilterCommand(command))
        return command + kEffectUndoOffset;
    return 0;
}

std::optional<Image> runFilterCommand(
    int command, const Image& source, int b, const EffectInputs& inputs, const FilterRun& run)
{
    switch (command) {
    case command::Blur: return blur(source, (b + 9) / 10, run);
    case command::Sharpen: return sharpen(source, 3, b, 0, run);
    case 300: return painting(source, (b + 9) / 10, run);
    case 301: return sketch(source, b - 1, run);
    case 302: return filmGrain(source, b, inputs.random, run);
    case 303: return splash(source, b, inputs.random, run);
    case 304: return melting(source, b, inputs.random, run);
    case 305: return ripple(source, b, run);
    case 306: return wrinkle(source, b, inputs.random, inputs.active, run);
    case 307: return grid3d(source, b, run);
    case 308: return mosaic(source, (b + 3) / 4, (b + 3) / 4, run);
    case 309: return emboss(source, (b + 19) / 20, run);
    case 310: return motionBlur(source, (b + 9) / 10, run);
    case 311: return lensEffect(source, LensKind::Fisheye, b, run);
    case 312: return lensEffect(source, LensKind::Cone, b, run);
    case 313: return lensEffect(source, LensKind::Sphere, b, run);
    case 314: return twistEffect(source, TwistKind::Whirlpool, b, run);
    case 315: return twistEffect(source, TwistKind::Spiral, b, run);
    case 316: return cylinder(source, b, run);
    case 317: return ribbon(source, kRibbonWaves, b, inputs.active, run);
    default: return std::nullopt;
    }
}

} // namespace gp
