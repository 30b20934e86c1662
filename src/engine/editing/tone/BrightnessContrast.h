#pragma once
// Brightness and Contrast: one level curve from brightness b and contrast k (each −128..127)
// put into the tables of the chosen channels. k = 0 offsets every level by b; a positive k
// steepens the curve around the middle (127 makes a threshold), a negative k flattens it.
// Accepts 24-bit, grayscale and indexed 8- and 4-bit images (see ChannelTables.h). Returns a new
// image, or nothing when b = k = 0, for a 1-bit image, on Escape or without memory.

#include "editing/tone/ChannelTables.h"

namespace gp {

LevelTable brightnessContrastCurve(int brightness, int contrast);
ChannelTables brightnessContrastTables(ToneChannel channel, int brightness, int contrast);

std::optional<Image> brightnessContrast(
    const Image& source, ToneChannel channel, int brightness, int contrast, const FilterRun& run);

} // namespace gp
