#pragma once
// The Enhance and Effects commands on the active document: Brightness and Contrast (250), Hue
// and Saturation (251), Tone Adjustment (252), Blur (253), Sharpen (254), the eighteen effects
// (300..317) and the effects browser (318). Each opens its dialog with the Before and After
// previews through the Host and, on OK, runs the apply step (ApplyEdit.h) with its undo code:
// 1020, 1021, 1090, 1031, 1034 and command + 738 for the effects (+ 2000 on a selection). The
// apply functions are also what the command-line tool calls with values it was given. Each
// returns 1 when the document changed and 0 otherwise.

#include "editing/tone/AdjustmentDialogs.h"
#include "editing/effects/FilterDialogs.h"

namespace gp {

class App;

namespace undo {
inline constexpr int BrightnessContrast = 1020;
inline constexpr int HueSaturation = 1021;
inline constexpr int ToneAdjustment = 1090;
} // namespace undo

int applyBrightnessContrast(App& app, const BrightnessContrastModel& model);
int applyHueSaturation(App& app, const HueSaturationModel& model);
int applyToneAdjustment(App& app, const ToneModel& model);
// Blur, Sharpen or an effect at the model's intensity.
int applyFilter(App& app, const FilterDialogModel& model);

// What the effects draw on: the program's generator and the active colour.
EffectInputs effectInputs(App& app);

// Puts commands 250..254 and 300..318 on the App's dispatcher with their image-type gates:
// 250 and 252 accept grayscale, 24-bit and indexed 8- and 4-bit images, 251 the same without
// grayscale, the filters and effects grayscale and 24-bit images only.
void registerAdjustmentCommands(App& app);

} // namespace gp
