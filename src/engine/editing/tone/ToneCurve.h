#pragma once
// Tone Adjustment: a level curve from the Highlight, Midtone and Shadow sliders (−100..100 each)
// and its Auto setting from a level histogram. A positive shadow lifts the darkest output, a
// negative one clips the dark input levels to 0; highlight likewise at the bright end; the
// midtone bends the curve with an exponent between 0.1 and 8. The curve is applied to the chosen
// channels through ChannelTables (24-bit, grayscale, indexed 8- and 4-bit; 1-bit refused).

#include "editing/tone/ChannelTables.h"

namespace gp {

LevelTable toneCurve(int highlight, int midtone, int shadow);

// Counts of levels 0..255 of the chosen channel. For All the counts of the three channels are
// added; a grayscale image counts its pixel indexes; indexed images count the palette colours of
// their pixels. Empty (all zero) for a 1-bit image.
using LevelHistogram = std::array<std::uint64_t, 256>;
LevelHistogram levelHistogram(const Image& image, ToneChannel channel);

struct ToneSliders {
    int highlight = 0;
    int midtone = 0;
    int shadow = 0;
};

// Auto: Highlight = min(100, (256 − highest level)/2), Shadow = −min(100, (lowest level + 1)/2);
// the midtone is left as given.
ToneSliders autoTone(const LevelHistogram& histogram, ToneSliders current);

std::optional<Image> applyTone(const Image& source, ToneChannel channel, const LevelTable& curve, const FilterRun& run);

} // namespace gp
