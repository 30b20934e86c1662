#pragma once
// The table of filter and effect commands: Blur (253), Sharpen (254) and the eighteen effects
// (300 Painting .. 317 Ribbon). Each command runs one routine whose parameters come from the
// intensity b (1..100), and records an undo code: 1031 Blur, 1034 Sharpen, command + 738 for the
// effects (add 2000 when the operation worked on a selection). The routine returns a new image,
// or nothing for an image that is not 24-bit or grayscale, on Escape or without memory.

#include "editing/FilterRun.h"
#include "base/ClassicRandom.h"
#include "base/Rgb.h"

#include <optional>

namespace gp {

inline constexpr int kEffectCount = 18;

// What the effects draw on besides the image: the program's generator and the active colour.
struct EffectInputs {
    ClassicRandom& random;
    Rgb active;
};

bool isFilterCommand(int command);
// The undo code for the whole image; 0 for a command that is not in the table.
int filterUndoCode(int command);

std::optional<Image> runFilterCommand(
    int command, const Image& source, int intensity, const EffectInputs& inputs, const FilterRun& run);

} // namespace gp
